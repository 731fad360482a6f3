// Math: elementary functions of REAL numbers (double in C++), called from
// generated C++. The functions are inline wrappers of the C library's, so a
// call costs what the library function costs. The constants pi and e are
// variables here, as the compiler writes every exported constant (generated
// code names them Math::pi and Math::e). The compiler writes the names that the
// C headers also declare with a trailing underscore: sqrt, exp, sin and cos
// are sqrt_, exp_, sin_ and cos_.
#ifndef VYK_H_FILE_Math
#define VYK_H_FILE_Math
#include <math.h>
#include "SYSTEM.h"

namespace Math {

extern const double pi;
extern const double e;

//PROCEDURE sqrt
inline double sqrt_(double x) { return ::sqrt(x); }
//PROCEDURE exp
inline double exp_(double x) { return ::exp(x); }
//PROCEDURE ln
inline double ln(double x) { return ::log(x); }
//PROCEDURE sin
inline double sin_(double x) { return ::sin(x); }
//PROCEDURE cos
inline double cos_(double x) { return ::cos(x); }
//PROCEDURE arctan
inline double arctan(double x) { return ::atan(x); }
//PROCEDURE power
inline double power(double x, double b) { return ::pow(x, b); }

//MODULE INITIALIZATION
void VYK_SYS_Math();

}
#endif
