// Hand-made stand-in for the main module Hello, which imports Util and Lib.
#ifndef VYK_H_FILE_Hello
#define VYK_H_FILE_Hello
#include "_VYK_sys.h"
#include "Util.h"
#include "Lib.h"
namespace Hello {
void VYK_SYS_Hello();
}
#endif
