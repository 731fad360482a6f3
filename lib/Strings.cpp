// Strings: every operation works in place with memmove, which also copes
// with Append(s, s); Insert and Replace copy their source first only when it
// lies inside the destination (CSource). Every result is cut to the
// destination's length and ends with 0X; nothing allocates otherwise.
// The number conversions check the text's syntax themselves and leave only
// the arithmetic to strtod/strtold, so that nothing the C library would also
// accept (hexadecimal reals, "infinity", leading "0x") slips through.
#include <errno.h>
#include <limits.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include "Strings.h"

namespace {

size_t Len(const char *s, int n) {
	return Strings::VYK_LEN_OF(s, n);
}

// The source of an operation on dest: where it lies inside dest, a copy
// taken before dest changes; otherwise the source itself.
class CSource {
public:
	CSource(const char *s, int n, const char *dest, int m) : text(s), length(Len(s, n)) {
		if (s != nullptr && length > 0 && s < dest + m && dest < s + n) {
			copy.assign(s, length);
			text = copy.data();
		}
	}
	const char *text;
	size_t length;
private:
	std::string copy;
};

// The string length of dest, at most its room (the characters before the
// last element, which a result always needs for its 0X).
size_t Used(const char *dest, int n) {
	size_t length = Len(dest, n);
	return length < size_t(n) - 1 ? length : size_t(n) - 1;
}

size_t Clamp(int pos, size_t length) {
	if (pos < 0) return 0;
	return size_t(pos) < length ? size_t(pos) : length;
}

size_t Count(int n) {
	return n < 0 ? 0 : size_t(n);
}

const int kMaxDecimals = 64;
const int kDoubleDigits = 17;
const int kLongDoubleDigits = 21;
const int kDecimalBase = 10;
const int kHexBase = 16;
const int kHexLetters = 10;
// Room for any number printf writes here: 64 decimals after up to 4933 digits.
const size_t kNumberText = 5100;

bool IsBlank(char c) { return c != 0 && c <= ' '; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexLetter(char c) { return c >= 'A' && c <= 'F'; }

// The string held by s (of length n) without the blanks around it.
std::string Trimmed(const char *s, int n) {
	size_t length = Len(s, n);
	size_t from = 0;
	while (from < length && IsBlank(s[from])) ++from;
	while (length > from && IsBlank(s[length - 1])) --length;
	return std::string(s + from, length - from);
}

// Stores text into s (of length n) when it fits with its 0X; otherwise s
// becomes the empty string.
void StoreWhole(const char *text, char *s, int n) {
	if (s == nullptr || n <= 0) return;
	size_t length = strlen(text);
	if (length >= size_t(n)) length = 0;
	memcpy(s, text, length);
	s[length] = 0;
}

// An optionally signed decimal number, or hexadecimal with the suffix H,
// whose value lies in [low, high].
bool ParseInteger(const std::string &text, long low, long high, long &value) {
	size_t i = 0;
	bool negative = false;
	if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
		negative = text[i] == '-';
		++i;
	}
	if (i >= text.size() || !IsDigit(text[i])) return false;
	size_t end = text.size();
	int base = kDecimalBase;
	if (text[end - 1] == 'H') {
		base = kHexBase;
		--end;
	}
	// The magnitude is built as a negative number, which reaches LONG_MIN.
	long magnitude = 0;
	long limit = negative ? low : -high;
	for (; i < end; ++i) {
		char d = text[i];
		if (!IsDigit(d) && !IsHexLetter(d)) return false;
		int digit = IsDigit(d) ? d - '0' : d - 'A' + kHexLetters;
		if (digit >= base) return false;
		if (magnitude < (limit + digit) / base) return false;
		magnitude = magnitude * base - digit;
	}
	if (magnitude < limit) return false;
	value = negative ? magnitude : -magnitude;
	return true;
}

size_t SkipDigits(const std::string &text, size_t i) {
	while (i < text.size() && IsDigit(text[i])) ++i;
	return i;
}

// Checks the syntax of a real number and answers it in the form strtold
// reads (scale letter E), or an empty string when the text is no number.
std::string RealText(std::string text) {
	std::string magnitude = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? text.substr(1) : text;
	if (magnitude == "INF" || magnitude == "NAN") return text;
	size_t i = 0;
	if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
	size_t digits = SkipDigits(text, i);
	if (digits == i) return "";
	i = digits;
	if (i < text.size() && text[i] == '.') i = SkipDigits(text, i + 1);
	if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
		text[i] = 'E';
		++i;
		if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
		size_t exponent = SkipDigits(text, i);
		if (exponent == i) return "";
		i = exponent;
	}
	return i == text.size() ? text : "";
}

// Reads a real number of type T with the conversion convert (strtod, strtold).
template <typename T> bool ParseReal(const char *s, int n, T (*convert)(const char*, char**), T &x) {
	std::string text = RealText(Trimmed(s, n));
	if (text.empty()) return false;
	errno = 0;
	T value = convert(text.c_str(), nullptr);
	if (errno == ERANGE && isinf(value)) return false;
	x = value;
	return true;
}

void Recase(char *s, int n, char from, char to) {
	if (s == nullptr) return;
	for (int i = 0; i < n && s[i] != 0; ++i) {
		if (s[i] >= from && s[i] <= char(from + 'z' - 'a')) s[i] = char(s[i] - from + to);
	}
}

}

void Strings::Insert(char *VYK_ARR_source, const int VYK_ARR_0_source, int pos, char *dest, const int VYK_ARR_0_dest) {
	if (dest == nullptr || VYK_ARR_0_dest <= 0) return;
	CSource source(VYK_ARR_source, VYK_ARR_0_source, dest, VYK_ARR_0_dest);
	size_t room = size_t(VYK_ARR_0_dest) - 1;
	size_t length = Used(dest, VYK_ARR_0_dest);
	size_t at = Clamp(pos, length);
	size_t count = source.length < room - at ? source.length : room - at;
	size_t tail = length - at < room - at - count ? length - at : room - at - count;
	memmove(dest + at + count, dest + at, tail);
	memmove(dest + at, source.text, count);
	dest[at + count + tail] = 0;
}

void Strings::Delete(char *s, const int VYK_ARR_0_s, int pos, int n) {
	if (s == nullptr || VYK_ARR_0_s <= 0) return;
	size_t length = Len(s, VYK_ARR_0_s);
	size_t at = Clamp(pos, length);
	size_t count = Count(n) < length - at ? Count(n) : length - at;
	memmove(s + at, s + at + count, length - at - count);
	length -= count;
	if (length > size_t(VYK_ARR_0_s) - 1) length = size_t(VYK_ARR_0_s) - 1;
	s[length] = 0;
}

void Strings::Replace(char *VYK_ARR_source, const int VYK_ARR_0_source, int pos, char *dest, const int VYK_ARR_0_dest) {
	if (dest == nullptr || VYK_ARR_0_dest <= 0) return;
	CSource source(VYK_ARR_source, VYK_ARR_0_source, dest, VYK_ARR_0_dest);
	size_t room = size_t(VYK_ARR_0_dest) - 1;
	size_t length = Used(dest, VYK_ARR_0_dest);
	size_t at = Clamp(pos, length);
	size_t count = source.length < room - at ? source.length : room - at;
	memmove(dest + at, source.text, count);
	if (at + count > length) length = at + count;
	dest[length] = 0;
}

void Strings::Extract(char *VYK_ARR_source, const int VYK_ARR_0_source, int pos, int n, char *dest, const int VYK_ARR_0_dest) {
	if (dest == nullptr || VYK_ARR_0_dest <= 0) return;
	size_t length = Len(VYK_ARR_source, VYK_ARR_0_source);
	size_t start = Clamp(pos, length);
	size_t count = Count(n);
	if (count > length - start) count = length - start;
	if (count > size_t(VYK_ARR_0_dest) - 1) count = size_t(VYK_ARR_0_dest) - 1;
	if (count > 0) memmove(dest, VYK_ARR_source + start, count);
	dest[count] = 0;
}

int Strings::Pos(char *VYK_ARR_pattern, const int VYK_ARR_0_pattern, char *VYK_ARR_s, const int VYK_ARR_0_s, int pos) {
	if (pos < 0) pos = 0;
	// Both arrays end with 0X: strstr sees exactly the strings and needs neither length; only
	// pos must not lie beyond the end of s, which strnlen tells without reading past pos. (A
	// search loop calls Pos again from every hit: measuring all of s each time cost more than
	// the search itself.)
	if (VYK_ARR_s != nullptr && VYK_ARR_0_s > 0 && VYK_ARR_s[VYK_ARR_0_s - 1] == 0 &&
	    VYK_ARR_pattern != nullptr && VYK_ARR_0_pattern > 0 && VYK_ARR_pattern[VYK_ARR_0_pattern - 1] == 0) {
		if (strnlen(VYK_ARR_s, size_t(pos)) < size_t(pos)) return -1;
		const char* hit = strstr(VYK_ARR_s + pos, VYK_ARR_pattern);
		return hit == nullptr ? -1 : int(hit - VYK_ARR_s);
	}
	size_t length = Len(VYK_ARR_s, VYK_ARR_0_s);
	size_t patternLength = Len(VYK_ARR_pattern, VYK_ARR_0_pattern);
	if (size_t(pos) > length || patternLength > length) return -1;
	if (patternLength == 0) return pos;
	const char* from = VYK_ARR_s + pos;
	// Both strings end with 0X inside their arrays: strstr sees exactly them.
	if (length < size_t(VYK_ARR_0_s) && patternLength < size_t(VYK_ARR_0_pattern)) {
		const char* hit = strstr(from, VYK_ARR_pattern);
		return hit == nullptr ? -1 : int(hit - VYK_ARR_s);
	}
	size_t rest = length - size_t(pos);
#ifdef __GLIBC__
	const void* hit = memmem(from, rest, VYK_ARR_pattern, patternLength);
	return hit == nullptr ? -1 : int((const char*)hit - VYK_ARR_s);
#else
	for (size_t i = 0; i + patternLength <= rest; ++i) {
		if (memcmp(from + i, VYK_ARR_pattern, patternLength) == 0) return int(pos + i);
	}
	return -1;
#endif
}

void Strings::Cap(char *s, const int VYK_ARR_0_s) {
	Recase(s, VYK_ARR_0_s, 'a', 'A');
}

int Strings::Compare(char *VYK_ARR_a, const int VYK_ARR_0_a, char *VYK_ARR_b, const int VYK_ARR_0_b) {
	size_t lengthA = Len(VYK_ARR_a, VYK_ARR_0_a);
	size_t lengthB = Len(VYK_ARR_b, VYK_ARR_0_b);
	size_t common = lengthA < lengthB ? lengthA : lengthB;
	int order = common > 0 ? memcmp(VYK_ARR_a, VYK_ARR_b, common) : 0;
	if (order == 0) order = lengthA < lengthB ? -1 : (lengthA > lengthB ? 1 : 0);
	return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

void Strings::Upper(char *s, const int VYK_ARR_0_s) {
	Recase(s, VYK_ARR_0_s, 'a', 'A');
}

void Strings::Lower(char *s, const int VYK_ARR_0_s) {
	Recase(s, VYK_ARR_0_s, 'A', 'a');
}

void Strings::IntToStr(long i, char *s, const int VYK_ARR_0_s) {
	char text[kDecimalBase * 3];
	snprintf(text, sizeof text, "%ld", i);
	StoreWhole(text, s, VYK_ARR_0_s);
}

void Strings::StrToInt(char *VYK_ARR_s, const int VYK_ARR_0_s, int &i, bool &done) {
	long value = 0;
	done = ParseInteger(Trimmed(VYK_ARR_s, VYK_ARR_0_s), INT_MIN, INT_MAX, value);
	if (done) i = int(value);
}

void Strings::StrToLongInt(char *VYK_ARR_s, const int VYK_ARR_0_s, long &i, bool &done) {
	long value = 0;
	done = ParseInteger(Trimmed(VYK_ARR_s, VYK_ARR_0_s), LONG_MIN, LONG_MAX, value);
	if (done) i = value;
}

void Strings::RealToStr(double x, char *s, const int VYK_ARR_0_s) {
	char text[kNumberText];
	for (int digits = 1; digits <= kDoubleDigits; ++digits) {
		snprintf(text, sizeof text, "%.*G", digits, x);
		if (!isfinite(x) || strtod(text, nullptr) == x) break;
	}
	StoreWhole(text, s, VYK_ARR_0_s);
}

void Strings::LongRealToStr(long double x, char *s, const int VYK_ARR_0_s) {
	char text[kNumberText];
	for (int digits = 1; digits <= kLongDoubleDigits; ++digits) {
		snprintf(text, sizeof text, "%.*LG", digits, x);
		if (!isfinite(x) || strtold(text, nullptr) == x) break;
	}
	StoreWhole(text, s, VYK_ARR_0_s);
}

void Strings::FixedToStr(long double x, int k, char *s, const int VYK_ARR_0_s) {
	int decimals = k < 0 ? 0 : (k > kMaxDecimals ? kMaxDecimals : k);
	char text[kNumberText];
	snprintf(text, sizeof text, "%.*LF", decimals, x);
	StoreWhole(text, s, VYK_ARR_0_s);
}

void Strings::StrToReal(char *VYK_ARR_s, const int VYK_ARR_0_s, double &x, bool &done) {
	done = ParseReal<double>(VYK_ARR_s, VYK_ARR_0_s, strtod, x);
}

void Strings::StrToLongReal(char *VYK_ARR_s, const int VYK_ARR_0_s, long double &x, bool &done) {
	done = ParseReal<long double>(VYK_ARR_s, VYK_ARR_0_s, strtold, x);
}

void Strings::VYK_SYS_Strings() {
	static bool VYK_SYS_was_started(false);
	if (VYK_SYS_was_started) return;
	VYK_SYS_was_started = true;
	SYSTEM::VYK_SYS_SYSTEM();
}
