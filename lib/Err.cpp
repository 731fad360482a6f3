// Err: formatted output to standard error through the C library's stdio, so it
// mixes freely with the exit() of HALT and ASSERT (exit flushes). The
// formatting is TextOut.h's, shared with Out.
#include <stdio.h>
#include "TextOut.h"
#include "Err.h"

void Err::Open() {
}

void Err::Char(char ch) {
	VykTextOut::Char(stderr, ch);
}

void Err::String(char *VYK_ARR_s, const int VYK_ARR_0_s) {
	VykTextOut::String(stderr, VYK_ARR_s, VYK_ARR_0_s);
}

void Err::Int(long i, long n) {
	VykTextOut::Int(stderr, i, n);
}

void Err::Hex(long i, long n) {
	VykTextOut::Hex(stderr, i, n);
}

void Err::Bool(bool b) {
	VykTextOut::Bool(stderr, b);
}

void Err::Set(int s) {
	VykTextOut::Set(stderr, s);
}

void Err::Real(double x, int n) {
	VykTextOut::Real(stderr, x, n);
}

void Err::LongReal(long double x, int n) {
	VykTextOut::LongReal(stderr, x, n);
}

void Err::Fixed(double x, int n, int k) {
	VykTextOut::Fixed(stderr, x, n, k);
}

void Err::LongFixed(long double x, int n, int k) {
	VykTextOut::LongFixed(stderr, x, n, k);
}

void Err::Ln() {
	putc('\n', stderr);
}

void Err::Flush() {
	fflush(stderr);
}

void Err::VYK_SYS_Err() {
	static bool VYK_SYS_was_started(false);
	if (VYK_SYS_was_started) return;
	VYK_SYS_was_started = true;
	SYSTEM::VYK_SYS_SYSTEM();
}
