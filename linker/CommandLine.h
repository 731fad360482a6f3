// The linker's command line: Vybind <VYK_makefile> [-<switch>...] with the switches
// h ? v f a d o i, each a `-` or `/` followed by exactly one letter (case ignored).
// Parsing writes the command-line messages, the version line, banner and usage itself.
#pragma once
#include <optional>
#include <string>
#include <vector>
#include "Console.h"

struct CLinkOptions : SConsoleSwitches {
    std::string makefile;                        // the first argument
    std::optional<std::string> inputFolder;      // -i, with a separator appended
    std::optional<std::string> outputFolder;     // -o, as given
    bool insufficiencyIsWarning = false;         // -d
};

// `args` are the arguments after the program name.
EConsoleStep ParseCommandLine(const std::vector<std::string>& args, CMessageStream& out, CLinkOptions& options);
