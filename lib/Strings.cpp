// Strings: every operation works in place with memmove, which also copes
// with Append(s, s); Insert and Replace copy their source first only when it
// lies inside the destination (CSource). Every result is cut to the
// destination's length and ends with 0X; nothing allocates otherwise.
#include <string.h>
#include <string>
#include "Strings.h"

namespace {

// The length of the string held by an array of length n: up to the first 0X or the end.
size_t Len(const char *s, int n) {
	if (s == nullptr || n <= 0) return 0;
	return strnlen(s, size_t(n));
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
	size_t length = Len(VYK_ARR_s, VYK_ARR_0_s);
	size_t patternLength = Len(VYK_ARR_pattern, VYK_ARR_0_pattern);
	if (pos < 0) pos = 0;
	if (size_t(pos) > length || patternLength > length) return -1;
	if (patternLength == 0) return pos;
	const char* from = VYK_ARR_s + pos;
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
