// Math: elementary functions of REAL numbers (double in C++), called from
// generated C++. The constants pi and e are variables here, as the compiler
// writes every exported constant (generated code names them Math::pi and
// Math::e). The compiler writes the names that the C headers also declare
// with a trailing underscore: sqrt, exp, sin and cos are sqrt_, exp_, sin_, cos_.
#ifndef VYK_H_FILE_Math
#define VYK_H_FILE_Math
#include "SYSTEM.h"

namespace Math {

extern const double pi;
extern const double e;

//PROCEDURE sqrt
double sqrt_(double x);
//PROCEDURE exp
double exp_(double x);
//PROCEDURE ln
double ln(double x);
//PROCEDURE sin
double sin_(double x);
//PROCEDURE cos
double cos_(double x);
//PROCEDURE arctan
double arctan(double x);
//PROCEDURE power
double power(double x, double b);

//MODULE INITIALIZATION
void VYK_SYS_Math();

}
#endif
