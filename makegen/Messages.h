// Every text Vygen writes to its message stream: banner, usage, version line, command-line and
// file errors and the outcome lines. All of them are printf formats; the arguments are listed in
// the comment after each.
#pragma once

namespace genmsg {

// Program identity.
inline constexpr char kVersion[] = "1.8.13";
inline constexpr char kTitle[] = "Vygen (VYK makefile creator)";
inline constexpr char kNotice[] = "Writes the makefile that builds a VYK program from its C++ files";
inline constexpr char kVersionAnswer[] = "Vygen version %s\n";                             // version

// The head of the usage text, written piece by piece in this order (the rest: Console.h).
inline constexpr const char* kUsage[] = {
    "Usage:      Vygen <VYK_makefile> <makefile_name> [-<switch>...]\n\n<Examples>\n"
    "  Vygen _VYK_make.vym Makefile.mak\n"
    "  Vygen _VYK_make.vym \"Make file.mak\" -f \"log.txt\" -a\n\n<Switches>\n",
    "  p <digit> Set target platform:\n",
    "  p 0       Win32 Console Application (MS VC++ 6.0) (default)\n",
    "  p 1       Win32 Application (MS VC++ 6.0)\n",
    "  p 2       Console Application (MinGW 3.1.0)\n",
    "  p 3       Win32 Application (MinGW 3.1.0)\n",
    "  p 4       Console Application (GNU make, one object per module, \"-O2\" by default)\n",
    "  c         File name conversion from Win1251 to OEM Cyrillic (only with -p 2,3)\n",
    "  cp <file> Specify path for c++ compiler (only with -p 2,3, \"c++\" by default)\n",
    "  ca <arg>  Pass <arg> to c++ compiler (only with -p 2,3)\n",
    "  o <path>  Set output directory (\"../Make\" by default)\n",
};

// Command line.
inline constexpr char kUnknownPlatform[] = "ERROR: Unknown target platform\n";
inline constexpr char kNoPlatform[] = "ERROR: Not found target platform after -p in command line\n";
inline constexpr char kNoCompiler[] = "ERROR: Not found file name after -cp in command line\n";
inline constexpr char kNoCompilerArg[] = "ERROR: Not found argument after -ca in command line\n";
inline constexpr char kNoOutputDir[] = "ERROR: Not found path after -o in command line\n";
inline constexpr char kCannotOpenMessageFile[] = "FILE I/O: Cannot open file %s for writing\n";  // path
inline constexpr char kCannotCloseMessageFile[] = "FILE I/O: Cannot close file, specified by switch -f\n";
inline constexpr char kInvalidCommandLine[] = "ERROR: Invalid command line\n";

// Build description and makefile (the path as given on the command line).
inline constexpr char kCannotOpenForReading[] = "ERROR: Cannot open file \"%s\" for reading\n";
inline constexpr char kCannotClose[] = "ERROR: Cannot close file \"%s\"\n";
inline constexpr char kDescriptionFormat[] = "ERROR: Incorrect VYK makefile (\"%s\") file format\n";
inline constexpr char kUnknownInternal[] = "ERROR: UNKNOWN INTERNAL ERROR\n";
inline constexpr char kNoMainModule[] = "ERROR: Not found name of main module in VYK makefile (\"%s\")\n";
inline constexpr char kFileWithoutName[] = "WARNING: File entry without Name in VYK makefile (\"%s\") is skipped\n";
// Values of the build description that a makefile cannot take (value, path).
inline constexpr char kBadModuleName[] = "ERROR: Incorrect module name \"%s\" in VYK makefile (\"%s\")\n";
inline constexpr char kBadExecName[] = "ERROR: Incorrect executable name \"%s\" in VYK makefile (\"%s\")\n";
inline constexpr char kBadFolder[] = "ERROR: Incorrect folder \"%s\" in VYK makefile (\"%s\")\n";
inline constexpr char kUnsafeValue[] =
    "ERROR: Value \"%s\" in VYK makefile (\"%s\") cannot be written into a makefile of target 4\n";
inline constexpr char kUnsafeOutputDir[] = "ERROR: Output directory \"%s\" cannot be written into a makefile of target 4\n";
inline constexpr char kUnsafeCompilerText[] = "ERROR: Compiler path or arguments with a line break\n";
inline constexpr char kCannotOpenForWriting[] = "ERROR: Cannot open file \"%s\" for writing\n";

// Outcome.
inline constexpr char kOk[] = "Vygen - OK\n";
inline constexpr char kFailed[] = "Vygen - FAILED\n";

}  // namespace genmsg
