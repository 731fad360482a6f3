// Strings: Length, Append, Extract and Pos work in place (memmove copes with
// Append(s, s)); Insert, Delete and Replace build the result in a std::string,
// so a source inside the destination is read before it is overwritten. Every
// result is cut to the destination's length and ends with 0X.
#include <string.h>
#include <string>
#include "Strings.h"

namespace {

// The length of the string held by an array of length n: up to the first 0X or the end.
size_t Len(const char *s, int n) {
	if (s == nullptr || n <= 0) return 0;
	const void* end = memchr(s, 0, size_t(n));
	return end ? size_t((const char*)end - s) : size_t(n);
}

// The string held by an array of length n.
std::string Text(const char *s, int n) {
	return std::string(s == nullptr ? "" : s, Len(s, n));
}

void Store(const std::string &text, char *dest, int n) {
	if (dest == nullptr || n <= 0) return;
	size_t count = text.size() < size_t(n) - 1 ? text.size() : size_t(n) - 1;
	text.copy(dest, count);
	dest[count] = 0;
}

// A position clamped to the string: negative counts as 0, past the end as the end.
size_t Clamp(int pos, const std::string &text) {
	if (pos < 0) return 0;
	return size_t(pos) < text.size() ? size_t(pos) : text.size();
}

size_t Count(int n) {
	return n < 0 ? 0 : size_t(n);
}

}

int Strings::Length(char *VYK_ARR_s, const int VYK_ARR_0_s) {
	return int(Len(VYK_ARR_s, VYK_ARR_0_s));
}

void Strings::Append(char *VYK_ARR_extra, const int VYK_ARR_0_extra, char *dest, const int VYK_ARR_0_dest) {
	if (dest == nullptr || VYK_ARR_0_dest <= 0) return;
	size_t length = Len(dest, VYK_ARR_0_dest);
	size_t room = size_t(VYK_ARR_0_dest) - 1;
	if (length >= room) {
		dest[room] = 0;
		return;
	}
	size_t extra = Len(VYK_ARR_extra, VYK_ARR_0_extra);
	if (extra > room - length) extra = room - length;
	if (extra > 0) memmove(dest + length, VYK_ARR_extra, extra);
	dest[length + extra] = 0;
}

void Strings::Insert(char *VYK_ARR_source, const int VYK_ARR_0_source, int pos, char *dest, const int VYK_ARR_0_dest) {
	std::string text = Text(dest, VYK_ARR_0_dest);
	text.insert(Clamp(pos, text), Text(VYK_ARR_source, VYK_ARR_0_source));
	Store(text, dest, VYK_ARR_0_dest);
}

void Strings::Delete(char *s, const int VYK_ARR_0_s, int pos, int n) {
	std::string text = Text(s, VYK_ARR_0_s);
	text.erase(Clamp(pos, text), Count(n));
	Store(text, s, VYK_ARR_0_s);
}

void Strings::Replace(char *VYK_ARR_source, const int VYK_ARR_0_source, int pos, char *dest, const int VYK_ARR_0_dest) {
	std::string text = Text(dest, VYK_ARR_0_dest);
	std::string source = Text(VYK_ARR_source, VYK_ARR_0_source);
	text.replace(Clamp(pos, text), source.size(), source);
	Store(text, dest, VYK_ARR_0_dest);
}

void Strings::Extract(char *VYK_ARR_source, const int VYK_ARR_0_source, int pos, int n, char *dest, const int VYK_ARR_0_dest) {
	if (dest == nullptr || VYK_ARR_0_dest <= 0) return;
	size_t length = Len(VYK_ARR_source, VYK_ARR_0_source);
	size_t start = pos < 0 ? 0 : (size_t(pos) < length ? size_t(pos) : length);
	size_t count = Count(n);
	if (count > length - start) count = length - start;
	if (count > size_t(VYK_ARR_0_dest) - 1) count = size_t(VYK_ARR_0_dest) - 1;
	if (count > 0) memmove(dest, VYK_ARR_source + start, count);
	dest[count] = 0;
}

int Strings::Pos(char *VYK_ARR_pattern, const int VYK_ARR_0_pattern, char *VYK_ARR_s, const int VYK_ARR_0_s, int pos) {
	size_t length = Len(VYK_ARR_s, VYK_ARR_0_s);
	size_t patternLength = Len(VYK_ARR_pattern, VYK_ARR_0_pattern);
	if (pos < 0) pos = 0;
	if (size_t(pos) > length || patternLength > length) return -1;
	if (patternLength == 0) return pos;
	const char first = VYK_ARR_pattern[0];
	for (size_t i = size_t(pos); i + patternLength <= length; ++i) {
		const void* hit = memchr(VYK_ARR_s + i, first, length - patternLength + 1 - i);
		if (hit == nullptr) return -1;
		i = size_t((const char*)hit - VYK_ARR_s);
		if (memcmp(VYK_ARR_s + i, VYK_ARR_pattern, patternLength) == 0) return int(i);
	}
	return -1;
}

void Strings::Cap(char *s, const int VYK_ARR_0_s) {
	if (s == nullptr) return;
	for (int i = 0; i < VYK_ARR_0_s && s[i] != 0; ++i) {
		if (s[i] >= 'a' && s[i] <= 'z') s[i] = char(s[i] - 'a' + 'A');
	}
}

void Strings::VYK_SYS_Strings() {
	static bool VYK_SYS_was_started(false);
	if (VYK_SYS_was_started) return;
	VYK_SYS_was_started = true;
	SYSTEM::VYK_SYS_SYSTEM();
}
