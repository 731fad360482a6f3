// Hand-made stand-in for a library module found in an import folder.
#ifndef VYK_H_FILE_Lib
#define VYK_H_FILE_Lib
#include "_VYK_sys.h"
namespace Lib {
int Twice(int x);
void VYK_SYS_Lib();
}
#endif
