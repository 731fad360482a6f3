// The program's entry point: keeps the command line for Args, runs the
// initialisation of the main module (which initialises its imports first)
// and ends with exit code 0. HALT, ASSERT and the run-time checks of the
// generated code end the program earlier through exit().
#include <stdio.h>
#include <stdlib.h>
#include "SYSTEM.h"

// Written by the compiler into _VYK_main.cpp for the main module.
void VYK_SYS_main_init();

int SYSTEM::VYK_ARGC = 0;
char** SYSTEM::VYK_ARGV = nullptr;

void SYSTEM::VYK_SYS_SYSTEM() {
}

int main(int argc, char** argv) {
	SYSTEM::VYK_ARGC = argc;
	SYSTEM::VYK_ARGV = argv;
	VYK_SYS_main_init();
	return (fflush(stdout) == 0) ? EXIT_SUCCESS : EXIT_FAILURE;
}
