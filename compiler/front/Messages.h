// The compiler's message stream and its table of fixed message texts.
// Every message of a run goes through MsgStream(): standard output, or the file named by
// switch -f once the driver has opened it. Positioned diagnostics live in Diagnostics.h;
// the texts here are the "ERROR: ...", outcome, banner and usage lines.
#pragma once
#include "MessageStream.h"

// The process-wide message stream of the compiler.
CMessageStream& MsgStream();
// printf-style write to the message stream.
void Msg(const char* format, ...) __attribute__((format(printf, 1, 2)));

namespace msg {
// Driver: command line.
constexpr const char* kVersion = "1.8.162";
constexpr const char* kNoTabSize = "ERROR: Not found tab size after -t in command line\n";
constexpr const char* kBadTabSize = "ERROR: Incorrect tab size format\n";
constexpr const char* kCannotOpenForWriting = "ERROR: Cannot open file \"%s\" for writing\n";
constexpr const char* kCannotCloseMessageFile = "ERROR: Cannot close file, specified by switch -f\n";
constexpr const char* kVersionLine = "VYK compiler version %s\n";
constexpr const char* kTitle = "VYK compiler";
constexpr const char* kBannerNotice = "Oberon-2 dialect to C++ translator, part of the VYK toolchain";
constexpr const char* kUsage[] = {
    "Usage:      VYK <source_file> [<project_file>] [-<switch>...]\n\n<Examples>\n"
    "  VYK source.vyk project.pro -a\n  VYK \"source file.vyk\" -m -f \"log.txt\" -a\n\n<Switches>\n",
    "  m         Specify current file as main file in project\n",
    "  d         Drop VYK makefile (for first compiled file in project)\n",
    "  c         Enable run-time checks (index, NIL, range)\n",
    "  t <size>  Specify tab size (1 by default)\n",
};  // then the switches of every console program (Console.h)

// Driver: outcome of a compilation.
constexpr const char* kModuleOK = "Module \"%s\" from \"%s\" - OK\n";
constexpr const char* kModuleFailed = "Module \"%s\" from \"%s\" - FAILED\n";
constexpr const char* kSyntaxFailed = "Syntactic analysis of \"%s\" - FAILED\n";
constexpr const char* kInternalError = "UNKNOWN INTERNAL ERROR: %s\n";
constexpr const char* kCannotOpenProject = "ERROR: cannot open project file\n";
constexpr const char* kOutOfMemory = "ERROR: Not enough memory to compile \"%s\"\n";

// Lexer.
constexpr const char* kCannotOpenForReading = "ERROR: Cannot open file \"%s\" for reading\n";
constexpr const char* kCannotRead = "ERROR: Cannot read file \"%s\"\n";
constexpr const char* kLexicalFailed = "Lexical analysis of \"%s\" - FAILED\n";
constexpr const char* kFileTooLarge = "ERROR: File \"%s\" is too large to compile\n";
// Module frame, imports, output files and the build description.
constexpr const char* kDfnNotFound = "ERROR: required file \"%s.dfn\" not found\n";
constexpr const char* kImportsTooDeep = "ERROR: imports nested deeper than %d definition files at \"%s\"\n";
constexpr const char* kTooManyImports = "ERROR: more than %d definition files read while importing \"%s\"\n";
constexpr const char* kMakeSureFolder = "WARNING: Make sure that folder \"%s\" exists in source file folder\n";
constexpr const char* kCannotCloseFile = "ERROR: Cannot close file \"%s\"\n";
constexpr const char* kBadExecName = "ERROR: Incorrect executable name \"%s\" in project file\n";
constexpr const char* kBuildContent = "ERROR: Incorrect VYK makefile (\"%s\") content\n";
constexpr const char* kBuildFormat = "ERROR: Incorrect VYK makefile (\"%s\") format\n";
constexpr const char* kUnknownXmlError = "ERROR: Unknown XML error\n";
} // namespace msg
