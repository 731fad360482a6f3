// The frame the three console programs share: the banner, the version line and the usage text
// (each program's own switches, then the ones they all have), the texts of the switches they
// all have, and the answer to a command line before any work is done.
#pragma once
#include <cstddef>

#include "MessageStream.h"

namespace console {
inline constexpr char kUnknownOption[] = "ERROR: Unknown command line option %s\n";   // argument
inline constexpr char kNoMessageFile[] = "ERROR: Not found file name after -f in command line\n";
// The end of every usage text.
inline constexpr const char* kCommonUsage[] = {
    "  a         Disable about info\n",
    "  f <file>  Specify file for output messages instead of stdout\n",
    "  v         Version info\n",
    "  h,?       This help\n",
    "\nAn argument that begins with / is a path unless it is exactly one of the switches.\n",
};
}  // namespace console

// Who a console program is: banner "\n<title> v<version>\n<notice>\n\n", the -v answer (a
// format taking the version), and the head of its usage text, written piece by piece.
struct SConsoleProgram {
    const char* title;
    const char* version;
    const char* notice;
    const char* versionAnswer;
    const char* const* usage;
    size_t usagePieces;

    template <size_t N>
    SConsoleProgram(const char* title, const char* version, const char* notice, const char* versionAnswer,
                    const char* const (&usage)[N])
        : title(title), version(version), notice(notice), versionAnswer(versionAnswer), usage(usage), usagePieces(N)
    {
    }
};

// The switches every console program has, as the scan left them.
struct SConsoleSwitches {
    bool about = true;     // cleared by -a
    bool version = false;  // -v
    bool help = false;     // -h, -?
    bool error = false;    // any command-line error (already reported)
};

void WriteBanner(CMessageStream& out, const SConsoleProgram& program);
void WriteUsage(CMessageStream& out, const SConsoleProgram& program);
void WriteVersion(CMessageStream& out, const SConsoleProgram& program);

enum class EConsoleStep { run, exitSuccess, exitFailure };
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline int ExitCode(EConsoleStep step) { return step == EConsoleStep::exitFailure ? kExitFailure : kExitSuccess; }

// The answer to a scanned command line before any work: the version line alone for -v;
// otherwise `argumentFault` (the program's message for arguments it cannot run with, or
// nullptr) unless -h or an error came first, the banner unless -a, and after -h or any
// command-line error the usage text and the end of the run.
EConsoleStep AnswerCommandLine(CMessageStream& out, const SConsoleProgram& program, SConsoleSwitches& s,
                               const char* argumentFault = nullptr);
