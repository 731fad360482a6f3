// Heap set-up of the compiler process (see Heap.h). Only with the GNU C library and without
// sanitizers, which bring their own allocator; elsewhere it does nothing.
#include "driver/Heap.h"

#include <cstdlib>   // defines __GLIBC__ with the GNU C library

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace {
constexpr size_t kHeapStep = size_t(1) << 30;       // the heap reserves 1 GB at a time
constexpr size_t kHugePage = size_t(2) << 20;
constexpr size_t kLargeBlock = size_t(32) << 20;    // blocks above this get their own mapping
constexpr size_t kProbe = size_t(1) << 20;
// The first part of the heap keeps small pages: a small module touches only a few of them, where
// each huge page would cost its 2 MB of zeroing and resident memory.
constexpr size_t kSmallHeap = size_t(8) << 20;
}  // namespace

void PrepareCompilerHeap()
{
    mallopt(M_TOP_PAD, int(kHeapStep));
    mallopt(M_TRIM_THRESHOLD, int(kHeapStep));
    mallopt(M_MMAP_THRESHOLD, int(kLargeBlock));
    void* probe = malloc(kProbe);                      // larger than the first top: the heap grows
    uintptr_t end = reinterpret_cast<uintptr_t>(sbrk(0));
    uintptr_t start = (reinterpret_cast<uintptr_t>(probe) + kSmallHeap + kHugePage - 1) & ~(kHugePage - 1);
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
    free(probe);
}
#else
void PrepareCompilerHeap() {}
#endif
