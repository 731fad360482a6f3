// Out: formatted output to standard output through the C library's stdio, so it
// mixes freely with the exit() of HALT and ASSERT (exit flushes). The
// formatting is TextOut.h's, shared with Err.
#include <stdio.h>
#include "TextOut.h"
#include "Out.h"

void Out::Open() {
}

void Out::Char(char ch) {
	VykTextOut::Char(stdout, ch);
}

void Out::String(char *VYK_ARR_s, const int VYK_ARR_0_s) {
	VykTextOut::String(stdout, VYK_ARR_s, VYK_ARR_0_s);
}

void Out::Int(long i, long n) {
	VykTextOut::Int(stdout, i, n);
}

void Out::Hex(long i, long n) {
	VykTextOut::Hex(stdout, i, n);
}

void Out::Bool(bool b) {
	VykTextOut::Bool(stdout, b);
}

void Out::Set(int s) {
	VykTextOut::Set(stdout, s);
}

void Out::Real(double x, int n) {
	VykTextOut::Real(stdout, x, n);
}

void Out::LongReal(long double x, int n) {
	VykTextOut::LongReal(stdout, x, n);
}

void Out::Fixed(double x, int n, int k) {
	VykTextOut::Fixed(stdout, x, n, k);
}

void Out::LongFixed(long double x, int n, int k) {
	VykTextOut::LongFixed(stdout, x, n, k);
}

void Out::Ln() {
	putc('\n', stdout);
}

void Out::Flush() {
	fflush(stdout);
}

void Out::VYK_SYS_Out() {
	static bool VYK_SYS_was_started(false);
	if (VYK_SYS_was_started) return;
	VYK_SYS_was_started = true;
	SYSTEM::VYK_SYS_SYSTEM();
}
