// Math: thin wrappers around the C library's double functions, under the
// names that generated code calls (sqrt_ for sqrt and so on, see Math.h).
#include <math.h>
#include "Math.h"

const double Math::pi = 3.14159265358979323846;
const double Math::e = 2.71828182845904523536;

double Math::sqrt_(double x) {
	return ::sqrt(x);
}

double Math::exp_(double x) {
	return ::exp(x);
}

double Math::ln(double x) {
	return ::log(x);
}

double Math::sin_(double x) {
	return ::sin(x);
}

double Math::cos_(double x) {
	return ::cos(x);
}

double Math::arctan(double x) {
	return ::atan(x);
}

double Math::power(double x, double b) {
	return ::pow(x, b);
}

void Math::VYK_SYS_Math() {
	static bool VYK_SYS_was_started(false);
	if (VYK_SYS_was_started) return;
	VYK_SYS_was_started = true;
	SYSTEM::VYK_SYS_SYSTEM();
}
