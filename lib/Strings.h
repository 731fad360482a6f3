// Strings: operations on 0X-terminated character arrays, called from
// generated C++. The declarations have the shapes the compiler writes for
// Strings.dfn: every open array is a pointer followed by its length.
#ifndef VYK_H_FILE_Strings
#define VYK_H_FILE_Strings
// Length and Append, the usual calls of a string-building loop, are defined here inline so
// that the optimiser sees through them (constant lengths, string literals) as in hand C++.
#include <string.h>
#include "SYSTEM.h"

namespace Strings {

// The length of the string held by an array of length n: up to the first 0X or the end.
// When the last element is 0X, strlen cannot run past the array and costs less than strnlen.
inline size_t VYK_LEN_OF(const char *s, const int n) {
	if (s == nullptr || n <= 0) return 0;
	if (s[n - 1] == 0) return strlen(s);
	return strnlen(s, size_t(n));
}

//PROCEDURE Length
inline int Length(char *VYK_ARR_s, const int VYK_ARR_0_s) {
	return int(VYK_LEN_OF(VYK_ARR_s, VYK_ARR_0_s));
}
//PROCEDURE Append
// memmove: the source may be dest itself.
inline void Append(char *VYK_ARR_extra, const int VYK_ARR_0_extra, char *dest, const int VYK_ARR_0_dest) {
	if (dest == nullptr || VYK_ARR_0_dest <= 0) return;
	size_t length = VYK_LEN_OF(dest, VYK_ARR_0_dest);
	size_t room = size_t(VYK_ARR_0_dest) - 1;
	if (length >= room) {
		dest[room] = 0;
		return;
	}
	size_t extra = VYK_LEN_OF(VYK_ARR_extra, VYK_ARR_0_extra);
	if (extra > room - length) extra = room - length;
	if (extra > 0) memmove(dest + length, VYK_ARR_extra, extra);
	dest[length + extra] = 0;
}
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
