// MathL: elementary functions of LONGREAL numbers (long double in C++), called from
// generated C++. The functions are inline wrappers of the C library's, so a
// call costs what the library function costs. The constants pi and e are
// variables here, as the compiler writes every exported constant (generated
// code names them MathL::pi and MathL::e). The compiler writes the names that
// the C headers also declare with a trailing underscore (sqrt_, log_, round_,
// tan_, sinh_ and the like).
#ifndef VYK_H_FILE_MathL
#define VYK_H_FILE_MathL
#include <math.h>
#include "SYSTEM.h"

namespace MathL {

extern const long double pi;
extern const long double e;

//PROCEDURE sqrt
inline long double sqrt_(long double x) { return ::sqrtl(x); }
//PROCEDURE power
inline long double power(long double x, long double b) { return ::powl(x, b); }
//PROCEDURE exp
inline long double exp_(long double x) { return ::expl(x); }
//PROCEDURE ln
inline long double ln(long double x) { return ::logl(x); }
//PROCEDURE log
inline long double log_(long double x) { return ::log10l(x); }
//PROCEDURE round
inline long double round_(long double x) { return ::roundl(x); }
//PROCEDURE sin
inline long double sin_(long double x) { return ::sinl(x); }
//PROCEDURE cos
inline long double cos_(long double x) { return ::cosl(x); }
//PROCEDURE tan
inline long double tan_(long double x) { return ::tanl(x); }
//PROCEDURE arcsin
inline long double arcsin(long double x) { return ::asinl(x); }
//PROCEDURE arccos
inline long double arccos(long double x) { return ::acosl(x); }
//PROCEDURE arctan
inline long double arctan(long double x) { return ::atanl(x); }
//PROCEDURE arctan2
inline long double arctan2(long double y, long double x) { return ::atan2l(y, x); }
//PROCEDURE sinh
inline long double sinh_(long double x) { return ::sinhl(x); }
//PROCEDURE cosh
inline long double cosh_(long double x) { return ::coshl(x); }
//PROCEDURE tanh
inline long double tanh_(long double x) { return ::tanhl(x); }
//PROCEDURE arcsinh
inline long double arcsinh(long double x) { return ::asinhl(x); }
//PROCEDURE arccosh
inline long double arccosh(long double x) { return ::acoshl(x); }
//PROCEDURE arctanh
inline long double arctanh(long double x) { return ::atanhl(x); }

//MODULE INITIALIZATION
void VYK_SYS_MathL();

}
#endif
