// MathL: elementary functions of LONGREAL numbers (long double in C++), called from
// generated C++. The constants pi and e are variables here, as the compiler
// writes every exported constant (generated code names them MathL::pi and
// MathL::e). The compiler writes the names that the C headers also declare
// with a trailing underscore: sqrt, exp, sin and cos are sqrt_, exp_, sin_, cos_.
#ifndef VYK_H_FILE_MathL
#define VYK_H_FILE_MathL
#include "SYSTEM.h"

namespace MathL {

extern const long double pi;
extern const long double e;

//PROCEDURE sqrt
long double sqrt_(long double x);
//PROCEDURE exp
long double exp_(long double x);
//PROCEDURE ln
long double ln(long double x);
//PROCEDURE sin
long double sin_(long double x);
//PROCEDURE cos
long double cos_(long double x);
//PROCEDURE arctan
long double arctan(long double x);
//PROCEDURE power
long double power(long double x, long double b);

//MODULE INITIALIZATION
void VYK_SYS_MathL();

}
#endif
