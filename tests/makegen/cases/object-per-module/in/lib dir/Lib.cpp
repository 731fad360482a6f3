// Hand-made stand-in for a library module found in an import folder.
#include "Lib.h"
namespace Lib {
int Twice(int x) { return 2 * x; }
void VYK_SYS_Lib() {}
}
