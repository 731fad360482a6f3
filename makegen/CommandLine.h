// The command line of Vygen: `Vygen <VYK_makefile> <makefile_name> [-<switch>...]`.
// The scan fills CVygenOptions and reports its errors on the message stream; switch -f
// redirects that stream as soon as it is met.
#pragma once
#include <string>
#include <vector>
#include "Console.h"

// The four makefile templates, numbered as on the command line.
enum EPlatform {
    platNmakeConsole = 0,
    platNmakeWindows = 1,
    platMingwConsole = 2,
    platMingwWindows = 3,
    platGnuMake = 4,          // GNU make on Linux: one object per module, the library archive
};

struct CVygenOptions : SConsoleSwitches {
    EPlatform platform = platNmakeConsole;
    bool convertPaths = false;                        // -c: Win1251 -> OEM Cyrillic, MinGW only
    std::string compiler = "c++";                     // -cp
    std::string compilerArgs = "-fconserve-space -O3 -s";   // -ca
    bool compilerArgsGiven = false;                   // target 4 has its own default, -O2
    std::string outputDir = "../Make";                // -o
};

// The compiler arguments of target 4 when -ca gives none.
inline constexpr char kGnuMakeDefaultArgs[] = "-O2";

// True for an argument that the scan takes as a switch: one that begins with '-', or with '/'
// and is exactly one of the switches; any other argument that begins with '/' is a path.
bool IsSwitch(const std::string& arg);

// Scans every switch of `args` (the arguments after the program name) left to right.
// Returns false only when a -f file cannot be opened: the run must then end at once.
bool ScanCommandLine(const std::vector<std::string>& args, CVygenOptions& options, CMessageStream& messages);
