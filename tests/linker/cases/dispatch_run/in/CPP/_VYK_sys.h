// Stand-in for the compiler's support header: the one place that includes the linker's header,
// and NEW's heap (here the C++ heap) that the linker's source allocates specializations on.
#ifndef VYK_H_FILE__VYK_sys
#define VYK_H_FILE__VYK_sys
#include <stddef.h>
#include <new>
#include "_VYK_ppp.h"
enum VYK_HEAP_T { VYK_HEAP };
inline void *operator new(size_t size, VYK_HEAP_T) { return ::operator new(size); }
template <class T> inline void VYK_DELETE(T *p) { delete p; }
#endif
