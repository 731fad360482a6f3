// The order of one Vygen run: scan the switches, answer -v, -h and command-line errors with
// the version line or the usage text, read the build description, write the makefile, and
// report the outcome. The -f message file is closed last, on every path.
#include "Vygen.h"
#include "BuildDescription.h"
#include "CommandLine.h"
#include "Makefiles.h"
#include "Console.h"
#include "OutputFiles.h"
#include "Messages.h"

namespace {

const SConsoleProgram kVygen(genmsg::kTitle, genmsg::kVersion, genmsg::kNotice, genmsg::kVersionAnswer, genmsg::kUsage);

// Writes the makefile `path` beside its place and moves it in once it is complete, so a failed
// run leaves the earlier makefile, and an unchanged one keeps its time.
bool WriteMakefileFile(const std::string& path, const CVygenOptions& options,
                       const CBuildDescription& description, CMessageStream& messages)
{
    COutputFiles outputs;
    CLibraryArchive library;
    if (options.platform == platGnuMake) FindToolchainLibrary(library);
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "./" : path.substr(0, slash + 1);
    CTextFile makefile;
    if (!outputs.Open(makefile, path)) {
        messages.Printf(genmsg::kCannotOpenForWriting, path.c_str());
        return false;
    }
    WriteMakefile(makefile, options, description, library, folder);
    bool written = !std::ferror(makefile.Handle());
    std::string failed;
    if (!makefile.Close() || !written || !outputs.Commit(failed)) {
        messages.Printf(genmsg::kCannotClose, path.c_str());
        return false;
    }
    return true;
}

int Run(const std::vector<std::string>& args, CMessageStream& messages)
{
    CVygenOptions options;
    options.help = args.empty();
    if (!ScanCommandLine(args, options, messages)) return kExitFailure;
    const bool runnable = args.size() >= 2 && !IsSwitch(args[0]) && !IsSwitch(args[1]);
    const EConsoleStep step =
        AnswerCommandLine(messages, kVygen, options, runnable ? nullptr : genmsg::kInvalidCommandLine);
    if (step != EConsoleStep::run) return ExitCode(step);

    CBuildDescription description;
    if (!ReadBuildDescription(args[0], description, messages) ||
        (options.platform == platGnuMake && !CheckGnuMakeValues(options, description, args[0], messages)) ||
        !WriteMakefileFile(args[1], options, description, messages)) {
        messages.Printf(genmsg::kFailed);
        return kExitFailure;
    }
    messages.Printf(genmsg::kOk);
    return kExitSuccess;
}

}  // namespace

int RunVygen(const std::vector<std::string>& args)
{
    CMessageStream messages;
    int code = Run(args, messages);
    if (!messages.CloseFile()) {
        // The messages of the run may be lost, so the run cannot count as a success.
        messages.ConsolePrintf("%s", genmsg::kCannotCloseMessageFile);
        code = kExitFailure;
    }
    return code;
}
