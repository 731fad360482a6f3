// MathL: the constants pi and e and the module's initialisation; the
// functions are inline in MathL.h.
#include "MathL.h"

const long double MathL::pi = 3.14159265358979323846264338327950288L;
const long double MathL::e = 2.71828182845904523536028747135266250L;

void MathL::VYK_SYS_MathL() {
	static bool VYK_SYS_was_started(false);
	if (VYK_SYS_was_started) return;
	VYK_SYS_was_started = true;
	SYSTEM::VYK_SYS_SYSTEM();
}
