// Benchmark: string operations in functions that take their strings as
// constant pointers: 3 000 000 rounds that build a word, measure, count, hash,
// compare and reverse it, turn it to capitals and trim it, and keep the words
// seen in a small table ordered by insertion.
#include <stdio.h>
#include <string.h>

const int Rounds = 3000000;
const int TableSize = 32;

static char table[TableSize][32];
static int used;
static long seed;

static int Random(int n) {
	seed = seed * 16807 % 2147483647;
	return int(seed % n);
}

static int Length(const char* s, int size) {
	int i = 0;
	while (i < size && s[i] != 0) ++i;
	return i;
}

static int Count(const char* s, char c) {
	int n = 0;
	for (int i = 0; s[i] != 0; ++i)
		if (s[i] == c) ++n;
	return n;
}

static int Hash(const char* s) {
	int h = 0;
	for (int i = 0; s[i] != 0; ++i) h = (h * 31 + (unsigned char)s[i]) % 65521;
	return h;
}

static int Compare(const char* a, const char* b) {
	int i = 0;
	while (a[i] == b[i] && a[i] != 0) ++i;
	return (unsigned char)a[i] - (unsigned char)b[i];
}

static void Reverse(const char* s, int size, char* r) {
	int n = Length(s, size);
	for (int i = 0; i < n; ++i) r[i] = s[n - 1 - i];
	r[n] = 0;
}

static bool IsPalindrome(const char* s, int size) {
	char r[32];
	Reverse(s, size, r);
	return strcmp(r, s) == 0;
}

static void Capitals(const char* s, int size, char* r, int rsize) {
	char copy[32];
	memcpy(copy, s, size);
	for (int i = 0; copy[i] != 0; ++i)
		if (copy[i] >= 'a' && copy[i] <= 'z') copy[i] = char(copy[i] - 'a' + 'A');
	size_t n = strnlen(copy, size_t(size < rsize ? size : rsize) - 1);
	memcpy(r, copy, n);
	r[n] = 0;
}

static void Trim(const char* s, int size, char* r) {
	int from = 0, to = Length(s, size);
	while (from < to && s[from] == 'a') ++from;
	while (to > from && s[to - 1] == 'a') --to;
	for (int i = from; i < to; ++i) r[i - from] = s[i];
	r[to - from] = 0;
}

static int Find(const char* s) {
	int i = 0;
	while (i < used && strcmp(table[i], s) != 0) ++i;
	return i;
}

static void Remember(const char* s) {
	if (Find(s) == used) {
		if (used < TableSize) ++used;
		int i = used - 1;
		while (i > 0 && Compare(table[i - 1], s) > 0) {
			memcpy(table[i], table[i - 1], sizeof table[i]);
			--i;
		}
		strcpy(table[i], s);
	}
}

static void MakeWord(char* w) {
	static const char Letters[] = "abcdeabacaba";
	int n = 3 + Random(10);
	for (int i = 0; i < n; ++i) w[i] = Letters[Random(12)];
	w[n] = 0;
}

int main() {
	static char word[32], back[32], big[32], trimmed[32];
	seed = 1;
	long total = 0;
	int palindromes = 0, less = 0;
	for (int round = 1; round <= Rounds; ++round) {
		MakeWord(word);
		total += Length(word, 32) + Count(word, 'a') + Hash(word);
		if (IsPalindrome(word, 32)) ++palindromes;
		Reverse(word, 32, back);
		if (Compare(word, back) < 0) ++less;
		Capitals(word, 32, big, 32);
		Trim(word, 32, trimmed);
		total += Hash(big) % 7 + Length(trimmed, 32);
		if (round % 64 == 0) Remember(trimmed);
	}
	printf("total %ld, palindromes %d, less %d, first %s, last %s\n", total, palindromes, less, table[0],
	       table[used - 1]);
	return 0;
}
