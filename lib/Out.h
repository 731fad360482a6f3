// Out: formatted output to standard output, called from generated C++.
// The declarations have the shapes the compiler writes for the procedures of
// Out.dfn: a value open array is a pointer and its length, SET an int.
#ifndef VYK_H_FILE_Out
#define VYK_H_FILE_Out
#include "SYSTEM.h"

namespace Out {

//PROCEDURE Open
void Open();
//PROCEDURE Char
void Char(char ch);
//PROCEDURE String
void String(char *VYK_ARR_s, const int VYK_ARR_0_s);
//PROCEDURE Int
void Int(long i, long n);
//PROCEDURE Hex
void Hex(long i, long n);
//PROCEDURE Bool
void Bool(bool b);
//PROCEDURE Set
void Set(int s);
//PROCEDURE Real
void Real(double x, int n);
//PROCEDURE LongReal
void LongReal(long double x, int n);
//PROCEDURE Fixed
void Fixed(double x, int n, int k);
//PROCEDURE LongFixed
void LongFixed(long double x, int n, int k);
//PROCEDURE Ln
void Ln();
//PROCEDURE Flush
void Flush();

//MODULE INITIALIZATION
void VYK_SYS_Out();

}
#endif
