// Args: the program's command-line arguments, called from generated C++.
// main (SYSTEM.cpp) keeps argc and argv in SYSTEM::VYK_ARGC and VYK_ARGV.
#ifndef VYK_H_FILE_Args
#define VYK_H_FILE_Args
#include "SYSTEM.h"

namespace Args {

//PROCEDURE Count
int Count();
//PROCEDURE Get
void Get(int n, char *s, const int VYK_ARR_0_s);

//MODULE INITIALIZATION
void VYK_SYS_Args();

}
#endif
