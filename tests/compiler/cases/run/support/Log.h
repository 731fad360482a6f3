// Test-only output module for the compiler's run cases.
#ifndef VYK_H_FILE_Log
#define VYK_H_FILE_Log
#include "_VYK_sys.h"
namespace Log {
void Int(long i);
void Real(long double x);
void Str(char *VYK_ARR_s, const int VYK_ARR_0_s);
void Char(char c);
void Bool(bool b);
void Ln();
void VYK_SYS_Log();
}
#endif
