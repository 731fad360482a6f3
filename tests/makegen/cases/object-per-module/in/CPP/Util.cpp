// Hand-made stand-in for a compiled module Util.
#include "Util.h"
namespace Util {
long Wrap(long x, long n) { return MOD(x, n); }
void VYK_SYS_Util() {}
}
