// Benchmark: string building with the C library's string functions: 400 000
// rounds that append words to a line until it is full, insert and delete in
// the middle, search it and take pieces out of it.
#include <stdio.h>
#include <string.h>

const int Rounds = 400000;

static char line[256];
static char piece[16];
static const char* words[8] = {"alpha", "beta", "gamma", "delta", "eps", "zeta", "eta", "theta"};

static void Append(const char* extra, char* dest, size_t size) {
	size_t length = strlen(dest), n = strlen(extra);
	if (n > size - 1 - length) n = size - 1 - length;
	memcpy(dest + length, extra, n);
	dest[length + n] = 0;
}

static void Insert(const char* source, size_t pos, char* dest, size_t size) {
	size_t length = strlen(dest), n = strlen(source);
	if (pos > length) pos = length;
	size_t tail = length - pos;
	if (pos + n > size - 1) n = size - 1 - pos;
	if (pos + n + tail > size - 1) tail = size - 1 - pos - n;
	memmove(dest + pos + n, dest + pos, tail);
	memcpy(dest + pos, source, n);
	dest[pos + n + tail] = 0;
}

static void Delete(char* s, size_t pos, size_t n) {
	size_t length = strlen(s);
	if (pos >= length) return;
	if (n > length - pos) n = length - pos;
	memmove(s + pos, s + pos + n, length - pos - n + 1);
}

static void Extract(const char* source, size_t pos, size_t n, char* dest, size_t size) {
	size_t length = strlen(source);
	if (pos > length) pos = length;
	if (n > length - pos) n = length - pos;
	if (n > size - 1) n = size - 1;
	memcpy(dest, source + pos, n);
	dest[n] = 0;
}

int main() {
	int found = 0, total = 0;
	for (int round = 1; round <= Rounds; ++round) {
		line[0] = 0;
		int k = round % 8;
		while (strlen(line) < 200) {
			Append(words[k], line, sizeof line);
			Append(" ", line, sizeof line);
			k = (k + 3) % 8;
		}
		Insert("[mid]", 100, line, sizeof line);
		Delete(line, 50, 10);
		for (const char* p = strstr(line, "theta"); p != nullptr; p = strstr(p + 1, "theta")) ++found;
		Extract(line, round % 100, 12, piece, sizeof piece);
		total += int(strlen(line) + strlen(piece));
	}
	printf("found %d, total length %d\n", found, total);
	return 0;
}
