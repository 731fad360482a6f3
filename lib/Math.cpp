// Math: thin wrappers around the C library's double functions. Inside the
// namespace the names sqrt, exp, sin and cos are this module's own, so the
// library functions are always called by their global names.
#include <math.h>
#include "Math.h"

const double Math::pi = 3.14159265358979323846;
const double Math::e = 2.71828182845904523536;

double Math::sqrt(double x) {
	return ::sqrt(x);
}

double Math::exp(double x) {
	return ::exp(x);
}

double Math::ln(double x) {
	return ::log(x);
}

double Math::sin(double x) {
	return ::sin(x);
}

double Math::cos(double x) {
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
