// The reserved module SYSTEM: the program's entry point and its command line.
// Every library definition file imports SYSTEM, so SYSTEM.cpp (and with it main)
// is compiled into every program that imports any library module.
#ifndef VYK_H_FILE_SYSTEM
#define VYK_H_FILE_SYSTEM

namespace SYSTEM {

// The command line as main received it; Args reads it.
extern int VYK_ARGC;
extern char** VYK_ARGV;

//MODULE INITIALIZATION
void VYK_SYS_SYSTEM();

}
#endif
