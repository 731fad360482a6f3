// Benchmark: quicksort of 1 000 000 pseudo-random integers, five rounds,
// each checked to be ordered.
#include <stdio.h>
#include <stdlib.h>

const int N = 1000000;
const int Rounds = 5;
static int a[N];
static long seed;

static int Random() {
	seed = seed * 16807 % 2147483647;
	return int(seed);
}

static void Sort(int lo, int hi) {
	int i = lo, j = hi, pivot = a[(lo + hi) / 2];
	do {
		while (a[i] < pivot) ++i;
		while (pivot < a[j]) --j;
		if (i <= j) { int t = a[i]; a[i] = a[j]; a[j] = t; ++i; --j; }
	} while (i <= j);
	if (lo < j) Sort(lo, j);
	if (i < hi) Sort(i, hi);
}

int main() {
	seed = 1;
	long sum = 0;
	for (int round = 1; round <= Rounds; ++round) {
		for (int i = 0; i < N; ++i) a[i] = Random();
		Sort(0, N - 1);
		for (int i = 1; i < N; ++i) if (a[i - 1] > a[i]) exit(2);
		sum += a[N / 2];
	}
	printf("median sum %ld\n", sum);
	return 0;
}
