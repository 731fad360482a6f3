// Benchmark: type-bound procedures as virtual member functions written by hand.
// 1024 objects of four record types, a chain of extensions three deep with
// functions redefined along it, visited 30 000 times; each visit calls three.
#include <stdio.h>

const int N = 1024;
const int Passes = 30000;

struct Shape {
	long n = 0;
	virtual ~Shape() {}
	virtual long Area() { return 0; }
	virtual long Weight() { return n + 1; }
	virtual void Grow(long d) { n += d; }
};
struct Circle : Shape {
	long r = 0;
	long Area() override { return 3 * r * r; }
	void Grow(long d) override { r += d; Shape::Grow(d); }
};
struct Rect : Shape {
	long w = 0, h = 0;
	long Area() override { return w * h; }
	void Grow(long d) override { w += d; h += d; Shape::Grow(d); }
};
struct Square : Rect {
	long Weight() override { return Rect::Weight() * 2; }
};

static Shape* objs[N];

static Shape* Make(long k) {
	Shape* s = 0;
	switch (k) {
	case 0: s = new Shape; break;
	case 1: { Circle* c = new Circle; c->r = 3; s = c; break; }
	case 2: { Rect* r = new Rect; r->w = 4; r->h = 5; s = r; break; }
	case 3: { Square* q = new Square; q->w = 6; q->h = 6; s = q; break; }
	}
	s->n = k;
	return s;
}

int main() {
	long seed = 1;
	for (int i = 0; i < N; ++i) {
		seed = seed * 16807 % 2147483647;
		objs[i] = Make(seed % 4);
	}
	long sum = 0;
	for (int pass = 1; pass <= Passes; ++pass)
		for (int i = 0; i < N; ++i) {
			sum += objs[i]->Area() + objs[i]->Weight();
			if (pass % 1000 == 0) objs[i]->Grow(1);
		}
	printf("sum %ld\n", sum);
	return 0;
}
