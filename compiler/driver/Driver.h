// The compiler's run: the command-line scan, then project file, tokenizing, parsing and
// writing of one module, ending in one outcome line and the process exit code.
//   VYK <source_file> [<project_file>] [-<switch>...]
#pragma once
#include <string>
#include <vector>

#include "Console.h"

// What the command line asked for (-a, -v, -h and errors: SConsoleSwitches).
struct SCommandLine : SConsoleSwitches {
    std::string source;       // the first argument, whatever it looks like
    std::string project;      // the second argument unless it is a switch
    bool hasProject = false;
    bool mainModule = false;  // -m
    bool drop = false;        // -d: start a new build description
    bool checks = false;      // -c: run-time index, NIL and range checks
    bool fatal = false;       // the -f file could not be opened: end the run at once
    int tabSize = -1;         // -t <size>; -1 when not given
};

// Scans the arguments after the program name, writing the scan's messages to the message
// stream (and opening the -f file, which becomes the message stream).
SCommandLine ScanCommandLine(const std::vector<std::string>& args);

// The tab size of "-t <text>": its leading decimal integer; -1 for a negative value, for 0
// written other than as "0", and for values beyond the int range.
int ParseTabSize(const std::string& text);

// The whole run; returns the process exit code (0 success, 1 failure). Closes the -f file.
int RunCompiler(const std::vector<std::string>& args);
