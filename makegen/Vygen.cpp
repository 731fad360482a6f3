// The order of one Vygen run: scan the switches, answer -v, -h and command-line errors with
// the version line or the usage text, read the build description, write the makefile, and
// report the outcome. The -f message file is closed last, on every path.
#include "Vygen.h"
#include "BuildDescription.h"
#include "CommandLine.h"
#include "Makefiles.h"
#include "MessageStream.h"
#include "OutputFiles.h"
#include "Messages.h"

namespace {

enum EExitCode { exitOk = 0, exitFailed = 1 };

void Banner(CVygenMessages& messages)
{
    messages.Printf(genmsg::kBanner, genmsg::kVersion, genmsg::kNotice);
}

void Usage(CVygenMessages& messages)
{
    for (const char* piece : genmsg::kUsage) messages.Printf("%s", piece);
}

// Writes the makefile `path` beside its place and moves it in once it is complete, so a failed
// run leaves the earlier makefile, and an unchanged one keeps its time.
bool WriteMakefileFile(const std::string& path, const CVygenOptions& options,
                       const CBuildDescription& description, CVygenMessages& messages)
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

int Run(const std::vector<std::string>& args, CVygenMessages& messages)
{
    if (args.empty()) {
        Banner(messages);
        Usage(messages);
        return exitOk;
    }
    CVygenOptions options;
    if (!ScanCommandLine(args, options, messages)) return exitFailed;
    if (options.version) {
        messages.Printf(genmsg::kVersionAnswer, genmsg::kVersion);
        return exitOk;
    }
    if (!options.help && !options.error && (args.size() < 2 || IsSwitch(args[0]) || IsSwitch(args[1]))) {
        messages.Printf(genmsg::kInvalidCommandLine);
        options.error = true;
    }
    if (options.about) Banner(messages);
    if (options.help || options.error) {
        Usage(messages);
        return options.error ? exitFailed : exitOk;
    }

    CBuildDescription description;
    if (!ReadBuildDescription(args[0], description, messages) ||
        (options.platform == platGnuMake && !CheckGnuMakeValues(options, description, args[0], messages)) ||
        !WriteMakefileFile(args[1], options, description, messages)) {
        messages.Printf(genmsg::kFailed);
        return exitFailed;
    }
    messages.Printf(genmsg::kOk);
    return exitOk;
}

}  // namespace

int RunVygen(const std::vector<std::string>& args)
{
    CVygenMessages messages;
    int code = Run(args, messages);
    if (!messages.CloseFile()) code = exitFailed;
    return code;
}
