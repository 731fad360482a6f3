// Strings: operations on 0X-terminated character arrays, called from
// generated C++. The declarations have the shapes the compiler writes for
// Strings.dfn: every open array is a pointer followed by its length.
#ifndef VYK_H_FILE_Strings
#define VYK_H_FILE_Strings
#include "SYSTEM.h"

namespace Strings {

//PROCEDURE Length
int Length(char *VYK_ARR_s, const int VYK_ARR_0_s);
//PROCEDURE Append
void Append(char *VYK_ARR_extra, const int VYK_ARR_0_extra, char *dest, const int VYK_ARR_0_dest);
//PROCEDURE Insert
void Insert(char *VYK_ARR_source, const int VYK_ARR_0_source, int pos, char *dest, const int VYK_ARR_0_dest);
//PROCEDURE Delete
void Delete(char *s, const int VYK_ARR_0_s, int pos, int n);
//PROCEDURE Replace
void Replace(char *VYK_ARR_source, const int VYK_ARR_0_source, int pos, char *dest, const int VYK_ARR_0_dest);
//PROCEDURE Extract
void Extract(char *VYK_ARR_source, const int VYK_ARR_0_source, int pos, int n, char *dest, const int VYK_ARR_0_dest);
//PROCEDURE Pos
int Pos(char *VYK_ARR_pattern, const int VYK_ARR_0_pattern, char *VYK_ARR_s, const int VYK_ARR_0_s, int pos);
//PROCEDURE Cap
void Cap(char *s, const int VYK_ARR_0_s);
//PROCEDURE Compare
int Compare(char *VYK_ARR_a, const int VYK_ARR_0_a, char *VYK_ARR_b, const int VYK_ARR_0_b);
//PROCEDURE Upper
void Upper(char *s, const int VYK_ARR_0_s);
//PROCEDURE Lower
void Lower(char *s, const int VYK_ARR_0_s);
//PROCEDURE IntToStr
void IntToStr(long i, char *s, const int VYK_ARR_0_s);
//PROCEDURE StrToInt
void StrToInt(char *VYK_ARR_s, const int VYK_ARR_0_s, int &i, bool &done);
//PROCEDURE StrToLongInt
void StrToLongInt(char *VYK_ARR_s, const int VYK_ARR_0_s, long &i, bool &done);
//PROCEDURE RealToStr
void RealToStr(double x, char *s, const int VYK_ARR_0_s);
//PROCEDURE LongRealToStr
void LongRealToStr(long double x, char *s, const int VYK_ARR_0_s);
//PROCEDURE FixedToStr
void FixedToStr(long double x, int k, char *s, const int VYK_ARR_0_s);
//PROCEDURE StrToReal
void StrToReal(char *VYK_ARR_s, const int VYK_ARR_0_s, double &x, bool &done);
//PROCEDURE StrToLongReal
void StrToLongReal(char *VYK_ARR_s, const int VYK_ARR_0_s, long double &x, bool &done);

//MODULE INITIALIZATION
void VYK_SYS_Strings();

}
#endif
