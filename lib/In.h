// In: reading standard input, called from generated C++.
// The declarations have the shapes the compiler writes for In.dfn: a VAR
// parameter of a basic type is a reference, a VAR open array a pointer and
// its length, and the read-only variable Done an ordinary exported variable.
#ifndef VYK_H_FILE_In
#define VYK_H_FILE_In
#include "SYSTEM.h"

namespace In {

extern bool Done;

//PROCEDURE Open
void Open();
//PROCEDURE Char
void Char(char &ch);
//PROCEDURE Int
void Int(int &i);
//PROCEDURE LongInt
void LongInt(long &i);
//PROCEDURE Real
void Real(double &x);
//PROCEDURE LongReal
void LongReal(long double &x);
//PROCEDURE String
void String(char *s, const int VYK_ARR_0_s);
//PROCEDURE Name
void Name(char *s, const int VYK_ARR_0_s);
//PROCEDURE Line
void Line(char *s, const int VYK_ARR_0_s);
//PROCEDURE Eof
bool Eof();

//MODULE INITIALIZATION
void VYK_SYS_In();

}
#endif
