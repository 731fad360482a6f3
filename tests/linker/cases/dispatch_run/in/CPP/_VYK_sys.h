// Stand-in for the compiler's support header: the one place that includes the linker's header.
#ifndef VYK_H_FILE__VYK_sys
#define VYK_H_FILE__VYK_sys
#include "_VYK_ppp.h"
#endif
