#include "_VYK_main.h"
#include <cstdio>
int main() { VYK_SYS_main_init(); VYK_SYS_main_init(); std::puts("started"); return 0; }
