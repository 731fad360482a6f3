// Benchmark: the sieve of Eratosthenes up to ten million, five times.
#include <stdio.h>

const int N = 10000000;
const int Rounds = 5;
static bool composite[N + 1];

int main() {
	int count = 0;
	for (int round = 1; round <= Rounds; ++round) {
		for (int i = 0; i <= N; ++i) composite[i] = false;
		count = 0;
		for (int i = 2; i <= N; ++i) {
			if (!composite[i]) {
				++count;
				for (long j = long(i) * i; j <= N; j += i) composite[j] = true;
			}
		}
	}
	printf("primes up to %d: %d\n", N, count);
	return 0;
}
