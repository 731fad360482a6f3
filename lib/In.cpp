// In: reading standard input through the C library's stdio, one character of
// look-ahead (ungetc). Every operation first checks Done, so a program that
// reads until Done turns FALSE sees exactly one failure, and no operation can
// read past its destination: numbers longer than kMaxNumber characters and
// strings longer than their array are failures, not overflows.
#include <errno.h>
#include <limits.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include "In.h"

bool In::Done = true;

namespace {

const size_t kMaxNumber = 400;
const int kHexBase = 16;
const int kDecimalBase = 10;
const int kHexLetters = 10;
const char kQuote = '"';

bool IsBlank(int c) { return c != EOF && c <= ' '; }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }
bool IsHexLetter(int c) { return c >= 'A' && c <= 'F'; }

// Skips blanks; answers the first other character, which is left unread.
int SkipBlanks() {
	int c = getchar();
	while (IsBlank(c)) c = getchar();
	if (c != EOF) ungetc(c, stdin);
	return c;
}

bool Fail() {
	In::Done = false;
	return false;
}

int DigitValue(char c) {
	return IsDigit(c) ? c - '0' : c - 'A' + kHexLetters;
}

// Reads an optionally signed decimal number, or a hexadecimal one with the
// suffix H, whose value lies in [low, high].
bool ReadInteger(long low, long high, long &value) {
	if (!In::Done) return false;
	SkipBlanks();
	int c = getchar();
	bool negative = false;
	if (c == '+' || c == '-') {
		negative = (c == '-');
		c = getchar();
	}
	if (!IsDigit(c)) {
		if (c != EOF) ungetc(c, stdin);
		return Fail();
	}
	std::string digits;
	while (IsDigit(c) || IsHexLetter(c)) {
		if (digits.size() < kMaxNumber) digits += char(c);
		else return Fail();
		c = getchar();
	}
	int base = kDecimalBase;
	if (c == 'H') base = kHexBase;
	else if (c != EOF) ungetc(c, stdin);
	// The magnitude is built as a negative number, which reaches LONG_MIN.
	long magnitude = 0;
	long limit = negative ? low : -high;
	for (char d : digits) {
		int digit = DigitValue(d);
		if (digit >= base) return Fail();
		if (magnitude < (limit + digit) / base) return Fail();
		magnitude = magnitude * base - digit;
	}
	if (magnitude < limit) return Fail();
	value = negative ? magnitude : -magnitude;
	return true;
}

void AppendDigits(std::string &text, int &c) {
	while (IsDigit(c) && text.size() <= kMaxNumber) {
		text += char(c);
		c = getchar();
	}
}

// Reads digits [. digits] [(E|D) [+|-] digits], optionally signed, into text
// with the scale letter as 'E', so that strtold can convert it.
bool ReadRealText(std::string &text) {
	if (!In::Done) return false;
	SkipBlanks();
	int c = getchar();
	if (c == '+' || c == '-') {
		text += char(c);
		c = getchar();
	}
	if (!IsDigit(c)) {
		if (c != EOF) ungetc(c, stdin);
		return Fail();
	}
	AppendDigits(text, c);
	if (c == '.') {
		text += '.';
		c = getchar();
		AppendDigits(text, c);
	}
	if (c == 'E' || c == 'D' || c == 'e' || c == 'd') {
		text += 'E';
		c = getchar();
		if (c == '+' || c == '-') {
			text += char(c);
			c = getchar();
		}
		if (!IsDigit(c)) return Fail();
		AppendDigits(text, c);
	}
	if (c != EOF) ungetc(c, stdin);
	if (text.size() > kMaxNumber) return Fail();
	return true;
}

// How many characters of a text are kept while reading into an array of
// length n: one more than fits, so that Store can tell a text that is too long.
size_t Capacity(int n) {
	return n > 0 ? size_t(n) : 0;
}

// Stores text into the character array s of length n, always ending it with
// 0X; answers whether it fitted.
bool Store(const std::string &text, char *s, int n) {
	if (s == nullptr || n <= 0) return false;
	size_t room = size_t(n) - 1;
	size_t count = text.size() < room ? text.size() : room;
	text.copy(s, count);
	s[count] = 0;
	return text.size() <= room;
}

}

void In::Open() {
	Done = true;
}

void In::Char(char &ch) {
	if (!Done) return;
	int c = getchar();
	if (c == EOF) {
		Fail();
		return;
	}
	ch = char(c);
}

void In::Int(int &i) {
	long value;
	if (ReadInteger(INT_MIN, INT_MAX, value)) i = int(value);
}

void In::LongInt(long &i) {
	long value;
	if (ReadInteger(LONG_MIN, LONG_MAX, value)) i = value;
}

void In::Real(double &x) {
	std::string text;
	if (!ReadRealText(text)) return;
	errno = 0;
	double value = strtod(text.c_str(), nullptr);
	if (errno == ERANGE && isinf(value)) {
		Fail();
		return;
	}
	x = value;
}

void In::LongReal(long double &x) {
	std::string text;
	if (!ReadRealText(text)) return;
	errno = 0;
	long double value = strtold(text.c_str(), nullptr);
	if (errno == ERANGE && isinf(value)) {
		Fail();
		return;
	}
	x = value;
}

void In::String(char *s, const int VYK_ARR_0_s) {
	if (!Done) return;
	if (SkipBlanks() != kQuote) {
		Fail();
		return;
	}
	getchar();
	std::string text;
	size_t keep = Capacity(VYK_ARR_0_s);
	int c = getchar();
	while (c != kQuote && c != '\n' && c != EOF) {
		if (text.size() < keep) text += char(c);
		c = getchar();
	}
	if (c != kQuote) {
		Store("", s, VYK_ARR_0_s);
		Fail();
		return;
	}
	if (!Store(text, s, VYK_ARR_0_s)) Fail();
}

void In::Name(char *s, const int VYK_ARR_0_s) {
	if (!Done) return;
	if (SkipBlanks() == EOF) {
		Fail();
		return;
	}
	std::string text;
	size_t keep = Capacity(VYK_ARR_0_s);
	int c = getchar();
	while (c != EOF && !IsBlank(c)) {
		if (text.size() < keep) text += char(c);
		c = getchar();
	}
	if (c != EOF) ungetc(c, stdin);
	if (!Store(text, s, VYK_ARR_0_s)) Fail();
}

void In::Line(char *s, const int VYK_ARR_0_s) {
	if (!Done) return;
	std::string text;
	size_t keep = Capacity(VYK_ARR_0_s);
	int c = getchar();
	if (c == EOF) {
		Store("", s, VYK_ARR_0_s);
		Fail();
		return;
	}
	size_t total = 0;
	int last = EOF;
	while (c != '\n' && c != EOF) {
		if (text.size() < keep) text += char(c);
		++total;
		last = c;
		c = getchar();
	}
	if (last == '\r') {
		--total;
		if (text.size() > total) text.resize(total);
	}
	// One character more than fits tells Store that the line was too long.
	if (total > text.size()) text += ' ';
	if (!Store(text, s, VYK_ARR_0_s)) Fail();
}

bool In::Eof() {
	int c = getchar();
	if (c == EOF) return true;
	ungetc(c, stdin);
	return false;
}

void In::VYK_SYS_In() {
	static bool VYK_SYS_was_started(false);
	if (VYK_SYS_was_started) return;
	VYK_SYS_was_started = true;
	SYSTEM::VYK_SYS_SYSTEM();
}
