// Strings: each operation reads its operands into std::string first, so a
// source and a destination that are the same array (Append(s, s)) work, then
// stores the result cut to the destination's length with a final 0X.
#include <string.h>
#include <string>
#include "Strings.h"

namespace {

// The string held by an array of length n: up to the first 0X or the end.
std::string Text(const char *s, int n) {
	if (s == nullptr || n <= 0) return std::string();
	const void* end = memchr(s, 0, size_t(n));
	return std::string(s, end ? size_t((const char*)end - s) : size_t(n));
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
	return int(Text(VYK_ARR_s, VYK_ARR_0_s).size());
}

void Strings::Append(char *VYK_ARR_extra, const int VYK_ARR_0_extra, char *dest, const int VYK_ARR_0_dest) {
	Store(Text(dest, VYK_ARR_0_dest) + Text(VYK_ARR_extra, VYK_ARR_0_extra), dest, VYK_ARR_0_dest);
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
	std::string text = Text(VYK_ARR_source, VYK_ARR_0_source);
	Store(text.substr(Clamp(pos, text), Count(n)), dest, VYK_ARR_0_dest);
}

int Strings::Pos(char *VYK_ARR_pattern, const int VYK_ARR_0_pattern, char *VYK_ARR_s, const int VYK_ARR_0_s, int pos) {
	std::string text = Text(VYK_ARR_s, VYK_ARR_0_s);
	if (pos < 0) pos = 0;
	if (size_t(pos) > text.size()) return -1;
	size_t found = text.find(Text(VYK_ARR_pattern, VYK_ARR_0_pattern), size_t(pos));
	return found == std::string::npos ? -1 : int(found);
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
