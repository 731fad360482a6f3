// Hand-made stand-in for the linker's output: no common types in this program.
#ifndef VYK_H_FILE__VYK_ppp
#define VYK_H_FILE__VYK_ppp
#endif
