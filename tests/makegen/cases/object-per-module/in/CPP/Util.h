// Hand-made stand-in for a compiled module Util.
#ifndef VYK_H_FILE_Util
#define VYK_H_FILE_Util
#include "_VYK_sys.h"
namespace Util {
long Wrap(long x, long n);
void VYK_SYS_Util();
}
#endif
