// MathL: elementary functions of LONGREAL numbers (long double in C++), called from
// generated C++. The functions are inline wrappers of the C library's, so a
// call costs what the library function costs. The constants pi and e are
// variables here, as the compiler writes every exported constant (generated
// code names them MathL::pi and MathL::e). The compiler writes the names that the
// C headers also declare with a trailing underscore: sqrt, exp, sin and cos
// are sqrt_, exp_, sin_ and cos_.
#ifndef VYK_H_FILE_MathL
#define VYK_H_FILE_MathL
#include <math.h>
#include "SYSTEM.h"

namespace MathL {

extern const long double pi;
extern const long double e;

//PROCEDURE sqrt
inline long double sqrt_(long double x) { return ::sqrtl(x); }
//PROCEDURE exp
inline long double exp_(long double x) { return ::expl(x); }
//PROCEDURE ln
inline long double ln(long double x) { return ::logl(x); }
//PROCEDURE sin
inline long double sin_(long double x) { return ::sinl(x); }
//PROCEDURE cos
inline long double cos_(long double x) { return ::cosl(x); }
//PROCEDURE arctan
inline long double arctan(long double x) { return ::atanl(x); }
//PROCEDURE power
inline long double power(long double x, long double b) { return ::powl(x, b); }

//MODULE INITIALIZATION
void VYK_SYS_MathL();

}
#endif
