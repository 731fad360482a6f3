// Benchmark: type tests in a loop, as C++ written by hand: each object answers
// its kind through a virtual function and a test compares kinds. 1024 objects of
// five record types, a chain of extensions four deep, visited 30 000 times.
#include <stdio.h>
#include <stdlib.h>

const int N = 1024;
const int Passes = 30000;

enum Kind { kShape, kCircle, kRect, kSquare, kCube };

struct Shape {
	int n = 0;
	virtual ~Shape() {}
	virtual Kind kind() const { return kShape; }
};
struct Circle : Shape {
	int r = 0;
	Kind kind() const override { return kCircle; }
};
struct Rect : Shape {
	int w = 0, h = 0;
	Kind kind() const override { return kRect; }
};
struct Square : Rect {
	Kind kind() const override { return kSquare; }
};
struct Cube : Square {
	int d = 0;
	Kind kind() const override { return kCube; }
};

static bool IsRect(const Shape* s) { Kind k = s->kind(); return k == kRect || k == kSquare || k == kCube; }
static bool IsSquare(const Shape* s) { Kind k = s->kind(); return k == kSquare || k == kCube; }
static bool IsCube(const Shape* s) { return s->kind() == kCube; }
static bool IsCircle(const Shape* s) { return s->kind() == kCircle; }

// A checked cast, as a type guard is.
template <class T> static T* Guard(Shape* s, bool (*is)(const Shape*)) {
	if (!is(s)) exit(3);
	return static_cast<T*>(s);
}

static Shape* objs[N];

static Shape* Make(long k) {
	Shape* s = 0;
	switch (k) {
	case 0: s = new Shape; break;
	case 1: { Circle* c = new Circle; c->r = 3; s = c; break; }
	case 2: { Rect* r = new Rect; r->w = 4; r->h = 5; s = r; break; }
	case 3: { Square* q = new Square; q->w = 6; q->h = 6; s = q; break; }
	case 4: { Cube* b = new Cube; b->w = 7; b->h = 7; b->d = 7; s = b; break; }
	}
	s->n = int(k);
	return s;
}

static long Visit(Shape* s) {
	long v = 0;
	if (IsRect(s)) v += Guard<Rect>(s, IsRect)->w;
	if (IsCube(s)) v += Guard<Cube>(s, IsCube)->d;
	if (IsCircle(s) || IsSquare(s)) ++v;
	if (IsCube(s)) v += static_cast<Cube*>(s)->d * 2;
	else if (IsSquare(s)) v += static_cast<Square*>(s)->h;
	else if (IsRect(s)) v += static_cast<Rect*>(s)->w + static_cast<Rect*>(s)->h;
	else if (IsCircle(s)) v += static_cast<Circle*>(s)->r;
	else v += s->n;
	return v;
}

int main() {
	long seed = 1;
	for (int i = 0; i < N; ++i) {
		seed = seed * 16807 % 2147483647;
		objs[i] = Make(seed % 5);
	}
	long sum = 0;
	for (int pass = 1; pass <= Passes; ++pass)
		for (int i = 0; i < N; ++i) sum += Visit(objs[i]);
	printf("sum %ld\n", sum);
	return 0;
}
