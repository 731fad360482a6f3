// The dispatch benchmark written by hand in C++: One as a virtual call, Two as a double
// dispatch through two virtual calls (the first object asks the second). Same modes, table of
// pseudo-random indices and arithmetic as bench/dispatch_gen.sh's Bench module.
//   usage: dispatch_baseline <mode> <calls>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {
constexpr int kKinds = 8;
constexpr long kTable = 4096;

struct Kind {
    virtual ~Kind() = default;
    virtual int One(int x) = 0;
    virtual int Two(Kind* q, int x) = 0;
    virtual int TwoWith(int first, int x) = 0;   // the second dispatch: first is p's number
};

template <int I>
struct K : Kind {
    int n = 0;
    int One(int x) override { return x + I; }
    int Two(Kind* q, int x) override { return q->TwoWith(I, x); }
    int TwoWith(int first, int x) override { return x + first * kKinds + I; }
};

template <int... I>
void MakeAll(std::unique_ptr<Kind> (&objs)[kKinds], std::integer_sequence<int, I...>)
{
    ((objs[I] = std::make_unique<K<I>>()), ...);
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) return 2;
    long mode = std::atol(argv[1]);
    long calls = std::atol(argv[2]);
    std::unique_ptr<Kind> objs[kKinds];
    MakeAll(objs, std::make_integer_sequence<int, kKinds>());
    static int first[kTable], second[kTable];
    long seed = 12345;
    for (long i = 0; i < kTable; ++i) {
        seed = (seed * 75 + 74) % 65537;
        first[i] = int(seed / 8 % 8);
        seed = (seed * 75 + 74) % 65537;
        second[i] = int(seed / 8 % 8);
        if (mode % 2 == 1) { first[i] = 3; second[i] = 5; }
    }
    long acc = 0;
    if (mode <= 2) {
        for (long i = 1; i <= calls; ++i) {
            long k = i % kTable;
            acc = (acc + objs[first[k]]->One(int(k))) % 1000000;
        }
    } else {
        for (long i = 1; i <= calls; ++i) {
            long k = i % kTable;
            acc = (acc + objs[first[k]]->Two(objs[second[k]].get(), int(k))) % 1000000;
        }
    }
    std::printf("%ld\n", acc);
    return 0;
}
