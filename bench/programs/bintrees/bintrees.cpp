// Benchmark: binary trees built with new and walked recursively: a
// long-lived tree of depth 16 and, for each depth from 4 to 16 by 2,
// 2^(20 - depth) short-lived trees whose nodes are counted, each deleted
// after it is counted.
#include <stdio.h>

const int MinDepth = 4;
const int MaxDepth = 16;

struct Node {
	Node* left;
	Node* right;
};

static Node* Make(int depth) {
	Node* n = new Node();
	if (depth > 0) { n->left = Make(depth - 1); n->right = Make(depth - 1); }
	return n;
}

static void Free(Node* n) {
	if (n->left != nullptr) { Free(n->left); Free(n->right); }
	delete n;
}

static long Check(Node* n) {
	long c = 1;
	if (n->left != nullptr) c += Check(n->left) + Check(n->right);
	return c;
}

int main() {
	Node* longLived = Make(MaxDepth);
	for (int depth = MinDepth; depth <= MaxDepth; depth += 2) {
		int iterations = 1 << (MaxDepth - depth + MinDepth);
		long check = 0;
		for (int i = 1; i <= iterations; ++i) {
			Node* tree = Make(depth);
			check += Check(tree);
			Free(tree);
		}
		printf("%d trees of depth %d check: %ld\n", iterations, depth, check);
	}
	printf("long lived tree of depth %d check: %ld\n", MaxDepth, Check(longLived));
	Free(longLived);
	return 0;
}
