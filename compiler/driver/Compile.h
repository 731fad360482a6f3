// One compilation after the command line: the project file and the main flag, then parsing the
// tokenized module, writing its definition file and C++ files, the support files of the main
// module and the build description, ending in the outcome line.
#pragma once
#include <memory>

#include "driver/Driver.h"

class CLexBuf;
class CProject;

// Reads the project file named on the command line (if any), decides the main flag and returns
// the tab size of the run, which the project keeps for the definition files it reads.
int PrepareProject(const SCommandLine& cl, CProject& project, bool& mainFlag);

// Parses and writes the module held in `lb` (released after parsing); returns the exit code.
int CompileModule(const SCommandLine& cl, CProject& project, bool mainFlag, std::unique_ptr<CLexBuf>& lb);
