// The makefile creator's run: command line, build description, makefile, outcome line.
#pragma once
#include <string>
#include <vector>

// Runs Vygen on `args` (the arguments after the program name) and returns the exit code.
int RunVygen(const std::vector<std::string>& args);
