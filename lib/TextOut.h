// The formatting behind Out and Err, one implementation for both streams:
// each module's procedures pass their FILE* (stdout, stderr) to these
// functions. Header-only, so that a program compiles only the modules it
// imports. Field widths are capped at kMaxField characters and the decimals
// of fixed-point output at kMaxDecimals: a width is a layout request, not a
// way to write gigabytes of blanks.
#ifndef VYK_LIB_TEXTOUT_H
#define VYK_LIB_TEXTOUT_H
#include <stdio.h>
#include <string.h>

namespace VykTextOut {

const long kMaxField = 1024;
const int kMaxDecimals = 64;
// "-d.E+dd": sign, leading digit, point and a four-character exponent.
const int kRealFrame = 7;
const int kMinDigits = 1;
const int kMaxRealDigits = 16;
const int kMaxLongRealDigits = 18;
const int kSetBits = 32;
const int kHexDigitBits = 4;

inline int FieldWidth(long n) {
	if (n < 0) return 0;
	if (n > kMaxField) return int(kMaxField);
	return int(n);
}

inline int FractionDigits(int n, int most) {
	int digits = n - kRealFrame;
	if (digits < kMinDigits) return kMinDigits;
	if (digits > most) return most;
	return digits;
}

inline int Decimals(int k) {
	if (k < 0) return 0;
	return k > kMaxDecimals ? kMaxDecimals : k;
}

inline void Char(FILE* f, char ch) {
	putc((unsigned char)ch, f);
}

inline void String(FILE* f, const char *s, int n) {
	if (s == nullptr || n <= 0) return;
	const void* end = memchr(s, 0, size_t(n));
	size_t length = end ? size_t((const char*)end - s) : size_t(n);
	fwrite(s, 1, length, f);
}

inline void Int(FILE* f, long i, long n) {
	fprintf(f, "%*ld", FieldWidth(n), i);
}

// Capital hexadecimal digits of the 64-bit pattern of i (a negative number
// shows its two's complement), no suffix, right-justified in n.
inline void Hex(FILE* f, long i, long n) {
	fprintf(f, "%*lX", FieldWidth(n), (unsigned long)i);
}

inline void Bool(FILE* f, bool b) {
	fputs(b ? "TRUE" : "FALSE", f);
}

// The elements in increasing order: {}, {3}, {0, 2, 31}.
inline void Set(FILE* f, int s) {
	unsigned bits = unsigned(s);
	putc('{', f);
	bool first = true;
	for (int i = 0; i < kSetBits; ++i) {
		if ((bits >> i & 1u) == 0) continue;
		fprintf(f, first ? "%d" : ", %d", i);
		first = false;
	}
	putc('}', f);
}

inline void Real(FILE* f, double x, int n) {
	fprintf(f, "%*.*E", FieldWidth(n), FractionDigits(FieldWidth(n), kMaxRealDigits), x);
}

inline void LongReal(FILE* f, long double x, int n) {
	fprintf(f, "%*.*LE", FieldWidth(n), FractionDigits(FieldWidth(n), kMaxLongRealDigits), x);
}

inline void Fixed(FILE* f, double x, int n, int k) {
	fprintf(f, "%*.*F", FieldWidth(n), Decimals(k), x);
}

inline void LongFixed(FILE* f, long double x, int n, int k) {
	fprintf(f, "%*.*LF", FieldWidth(n), Decimals(k), x);
}

}
#endif
