// Math: elementary functions of REAL numbers (double in C++), called from
// generated C++. The constants pi and e are variables here, as the compiler
// writes every exported constant; generated code names them Math::pi and Math::e.
#ifndef VYK_H_FILE_Math
#define VYK_H_FILE_Math
#include "SYSTEM.h"

namespace Math {

extern const double pi;
extern const double e;

//PROCEDURE sqrt
double sqrt(double x);
//PROCEDURE exp
double exp(double x);
//PROCEDURE ln
double ln(double x);
//PROCEDURE sin
double sin(double x);
//PROCEDURE cos
double cos(double x);
//PROCEDURE arctan
double arctan(double x);
//PROCEDURE power
double power(double x, double b);

//MODULE INITIALIZATION
void VYK_SYS_Math();

}
#endif
