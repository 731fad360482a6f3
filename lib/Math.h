// Math: elementary functions of REAL numbers (double in C++), called from
// generated C++. The functions are inline wrappers of the C library's, so a
// call costs what the library function costs. The constants pi and e are
// variables here, as the compiler writes every exported constant (generated
// code names them Math::pi and Math::e). The compiler writes the names that
// the C headers also declare with a trailing underscore (sqrt_, log_, round_,
// tan_, sinh_ and the like).
#ifndef VYK_H_FILE_Math
#define VYK_H_FILE_Math
#include <math.h>
#include "SYSTEM.h"

namespace Math {

extern const double pi;
extern const double e;

//PROCEDURE sqrt
inline double sqrt_(double x) { return ::sqrt(x); }
//PROCEDURE power
inline double power(double x, double b) { return ::pow(x, b); }
//PROCEDURE exp
inline double exp_(double x) { return ::exp(x); }
//PROCEDURE ln
inline double ln(double x) { return ::log(x); }
//PROCEDURE log
inline double log_(double x) { return ::log10(x); }
//PROCEDURE round
inline double round_(double x) { return ::round(x); }
//PROCEDURE sin
inline double sin_(double x) { return ::sin(x); }
//PROCEDURE cos
inline double cos_(double x) { return ::cos(x); }
//PROCEDURE tan
inline double tan_(double x) { return ::tan(x); }
//PROCEDURE arcsin
inline double arcsin(double x) { return ::asin(x); }
//PROCEDURE arccos
inline double arccos(double x) { return ::acos(x); }
//PROCEDURE arctan
inline double arctan(double x) { return ::atan(x); }
//PROCEDURE arctan2
inline double arctan2(double y, double x) { return ::atan2(y, x); }
//PROCEDURE sinh
inline double sinh_(double x) { return ::sinh(x); }
//PROCEDURE cosh
inline double cosh_(double x) { return ::cosh(x); }
//PROCEDURE tanh
inline double tanh_(double x) { return ::tanh(x); }
//PROCEDURE arcsinh
inline double arcsinh(double x) { return ::asinh(x); }
//PROCEDURE arccosh
inline double arccosh(double x) { return ::acosh(x); }
//PROCEDURE arctanh
inline double arctanh(double x) { return ::atanh(x); }

//MODULE INITIALIZATION
void VYK_SYS_Math();

}
#endif
