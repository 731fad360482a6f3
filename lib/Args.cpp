// Args: reads the command line that main stored in SYSTEM; argument 0, the
// program name, is not counted but can be read.
#include <string.h>
#include "Args.h"

int Args::Count() {
	return SYSTEM::VYK_ARGC > 0 ? SYSTEM::VYK_ARGC - 1 : 0;
}

void Args::Get(int n, char *s, const int VYK_ARR_0_s) {
	if (s == nullptr || VYK_ARR_0_s <= 0) return;
	const char* arg = (n >= 0 && n < SYSTEM::VYK_ARGC && SYSTEM::VYK_ARGV != nullptr) ? SYSTEM::VYK_ARGV[n] : "";
	if (arg == nullptr) arg = "";
	size_t length = strlen(arg);
	size_t count = length < size_t(VYK_ARR_0_s) - 1 ? length : size_t(VYK_ARR_0_s) - 1;
	memcpy(s, arg, count);
	s[count] = 0;
}

void Args::VYK_SYS_Args() {
	static bool VYK_SYS_was_started(false);
	if (VYK_SYS_was_started) return;
	VYK_SYS_was_started = true;
	SYSTEM::VYK_SYS_SYSTEM();
}
