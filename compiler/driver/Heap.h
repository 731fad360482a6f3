// Heap set-up of the compiler process. A compilation allocates its whole syntax tree in small
// pieces and frees it only at the end, so the heap grows by a large step each time and asks the
// kernel for huge pages there beyond its first 8 MB: a 100 000-line module then costs a few
// thousand page faults instead of tens of thousands, and a small one stays in small pages.
#pragma once

// Call once at the start of main, before the first allocation that matters.
void PrepareCompilerHeap();
