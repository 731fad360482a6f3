// The linker's run: command line, build description, every module's link description (the
// main module last), the program-wide checks and the two output files, ending with the
// "Vybind - OK" or "Vybind - FAILED" line. Returns the process exit code.
#pragma once
#include <string>
#include <vector>

int RunLinker(const std::vector<std::string>& args);
