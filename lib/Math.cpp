// Math: the constants pi and e and the module's initialisation; the
// functions are inline in Math.h.
#include "Math.h"

const double Math::pi = 3.14159265358979323846;
const double Math::e = 2.71828182845904523536;

void Math::VYK_SYS_Math() {
	static bool VYK_SYS_was_started(false);
	if (VYK_SYS_was_started) return;
	VYK_SYS_was_started = true;
	SYSTEM::VYK_SYS_SYSTEM();
}
