// Out: formatted output to standard output through the C library's stdio,
// so it mixes freely with the exit() of HALT and ASSERT (exit flushes).
// Field widths are capped at kMaxField characters: a width is a layout
// request, not a way to write gigabytes of blanks.
#include <stdio.h>
#include <string.h>
#include "Out.h"

namespace {

const long kMaxField = 1024;
// "-d.E+dd": sign, leading digit, point and a four-character exponent.
const int kRealFrame = 7;
const int kMinDigits = 1;
const int kMaxRealDigits = 16;
const int kMaxLongRealDigits = 18;

int FieldWidth(long n) {
	if (n < 0) return 0;
	if (n > kMaxField) return int(kMaxField);
	return int(n);
}

int FractionDigits(int n, int most) {
	int digits = n - kRealFrame;
	if (digits < kMinDigits) return kMinDigits;
	if (digits > most) return most;
	return digits;
}

}

void Out::Open() {
}

void Out::Char(char ch) {
	putchar((unsigned char)ch);
}

void Out::String(char *VYK_ARR_s, const int VYK_ARR_0_s) {
	if (VYK_ARR_s == nullptr || VYK_ARR_0_s <= 0) return;
	const void* end = memchr(VYK_ARR_s, 0, size_t(VYK_ARR_0_s));
	size_t length = end ? size_t((const char*)end - VYK_ARR_s) : size_t(VYK_ARR_0_s);
	fwrite(VYK_ARR_s, 1, length, stdout);
}

void Out::Int(long i, long n) {
	printf("%*ld", FieldWidth(n), i);
}

void Out::Real(double x, int n) {
	printf("%*.*E", FieldWidth(n), FractionDigits(FieldWidth(n), kMaxRealDigits), x);
}

void Out::LongReal(long double x, int n) {
	printf("%*.*LE", FieldWidth(n), FractionDigits(FieldWidth(n), kMaxLongRealDigits), x);
}

void Out::Ln() {
	putchar('\n');
}

void Out::VYK_SYS_Out() {
	static bool VYK_SYS_was_started(false);
	if (VYK_SYS_was_started) return;
	VYK_SYS_was_started = true;
	SYSTEM::VYK_SYS_SYSTEM();
}
