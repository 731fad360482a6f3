// MathL: thin wrappers around the C library's long double functions, under the
// names that generated code calls (sqrt_ for sqrt and so on, see MathL.h).
#include <math.h>
#include "MathL.h"

const long double MathL::pi = 3.14159265358979323846264338327950288L;
const long double MathL::e = 2.71828182845904523536028747135266250L;

long double MathL::sqrt_(long double x) {
	return ::sqrtl(x);
}

long double MathL::exp_(long double x) {
	return ::expl(x);
}

long double MathL::ln(long double x) {
	return ::logl(x);
}

long double MathL::sin_(long double x) {
	return ::sinl(x);
}

long double MathL::cos_(long double x) {
	return ::cosl(x);
}

long double MathL::arctan(long double x) {
	return ::atanl(x);
}

long double MathL::power(long double x, long double b) {
	return ::powl(x, b);
}

void MathL::VYK_SYS_MathL() {
	static bool VYK_SYS_was_started(false);
	if (VYK_SYS_was_started) return;
	VYK_SYS_was_started = true;
	SYSTEM::VYK_SYS_SYSTEM();
}
