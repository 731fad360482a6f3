// Banner, usage and version line of the console programs, and their answer to a command line.
#include "Console.h"

void WriteBanner(CMessageStream& out, const SConsoleProgram& program)
{
    out.Printf("\n%s v%s\n%s\n\n", program.title, program.version, program.notice);
}

void WriteUsage(CMessageStream& out, const SConsoleProgram& program)
{
    for (size_t i = 0; i < program.usagePieces; ++i) out.Printf("%s", program.usage[i]);
    for (const char* piece : console::kCommonUsage) out.Printf("%s", piece);
}

void WriteVersion(CMessageStream& out, const SConsoleProgram& program)
{
    out.Printf(program.versionAnswer, program.version);
}

EConsoleStep AnswerCommandLine(CMessageStream& out, const SConsoleProgram& program, SConsoleSwitches& s,
                               const char* argumentFault)
{
    if (s.version) {
        WriteVersion(out, program);
        return EConsoleStep::exitSuccess;
    }
    if (argumentFault && !s.help && !s.error) {
        out.Printf("%s", argumentFault);
        s.error = true;
    }
    if (s.about) WriteBanner(out, program);
    if (!s.help && !s.error) return EConsoleStep::run;
    WriteUsage(out, program);
    return s.error ? EConsoleStep::exitFailure : EConsoleStep::exitSuccess;
}
