// The linker's driver: reads the build description, then the link description of every module
// it lists in document order and of the main module last, checks the tables and writes
// _VYK_ppp.h and _VYK_ppp.cpp. The first failure ends the link.
#include "Linker.h"
#include "CommandLine.h"
#include "LinkChecks.h"
#include "LinkReader.h"
#include "LinkWriter.h"
#include "Messages.h"
#include "ProjectValues.h"
#include "Xml.h"

using namespace linkmsg;

namespace {
const size_t kMaxPath = 1000;           // every composed path, its terminating byte included
const size_t kOutputNameReserve = 14;   // a separator, "_VYK_ppp.cpp" and the terminating byte
const size_t kLinkNameReserve = 5;      // ".vyl" and the terminating byte
const char kLinkExtension[] = ".vyl";

class CLinkRun {
public:
    CLinkRun(const CLinkOptions& options, CMessageStream& out)
        : options(options), out(out), reader(tables, out) {}

    // Reads the build description named on the command line; false after its message.
    bool ReadBuildDescription();
    bool Link();

private:
    // Module names go into file paths and the C++ text, folders into both: names must be
    // identifiers and folders free of control characters and double quotes.
    bool CheckValues();
    bool ReadModules();
    bool ReadMainModule();

    const CLinkOptions& options;
    CMessageStream& out;
    CLinkTables tables;
    CLinkReader reader;
    std::unique_ptr<CXmlElement> project;
    std::string inputFolder;
    std::string outputFolder;
};

bool CLinkRun::ReadBuildDescription()
{
    const char* path = options.makefile.c_str();
    switch (XmlLoad(options.makefile, project)) {
    case xmlOk: break;
    case xmlCannotOpen: out.Printf(kCannotOpenForReading, path); return false;
    case xmlCannotClose: out.Printf(kCannotClose, path); return false;
    case xmlFormatError: out.Printf(kMakefileFormat, path); return false;
    default: out.Printf(kUnknownInternal); return false;
    }
    if (!project || project->name != "Project") {
        out.Printf(kMakefileContent, path);
        return false;
    }
    if (!CheckValues()) return false;
    if (options.inputFolder) {
        inputFolder = *options.inputFolder;
    } else {
        size_t slash = options.makefile.find_last_of("/\\");
        inputFolder = slash == std::string::npos ? std::string() : options.makefile.substr(0, slash + 1);
    }
    outputFolder = options.outputFolder ? *options.outputFolder : inputFolder;
    return true;
}

bool CLinkRun::CheckValues()
{
    const char* path = options.makefile.c_str();
    const std::string* mainName = project->AttributeValue("Main");
    if (mainName && !IsModuleName(*mainName)) {
        out.Printf(kBadModuleName, ShownValue(*mainName).c_str(), path);
        return false;
    }
    for (const auto& file : project->children) {
        if (file->name != "File") continue;
        const std::string* name = file->AttributeValue("Name");
        const std::string* folder = file->AttributeValue("Path");
        if (name && !IsModuleName(*name)) {
            out.Printf(kBadModuleName, ShownValue(*name).c_str(), path);
            return false;
        }
        if (folder && !IsQuotableFolder(*folder)) {
            out.Printf(kBadFolder, ShownValue(*folder).c_str(), path);
            return false;
        }
    }
    return true;
}

bool CLinkRun::ReadModules()
{
    const std::string* mainName = project->AttributeValue("Main");
    for (const auto& file : project->children) {
        if (file->name != "File") continue;
        const std::string* name = file->AttributeValue("Name");
        if (!name) continue;
        // A File entry of the main module (from a compilation without the main flag, or as an
        // import of another module) is left out: the main module is read once, last.
        if (mainName && *name == *mainName) continue;
        const std::string* prefix = file->AttributeValue("Path");
        const std::string folder = prefix ? *prefix : std::string();
        if (folder.size() + inputFolder.size() + name->size() + kLinkNameReserve > kMaxPath) {
            out.Printf(kFileNameTooLong, name->c_str());
            continue;
        }
        bool found = false;
        if (!reader.ReadLinkDescription(folder + inputFolder + *name + kLinkExtension, found)) return false;
    }
    return true;
}

bool CLinkRun::ReadMainModule()
{
    const std::string* mainName = project->AttributeValue("Main");
    if (!mainName) {
        out.Printf(kNoMainFile);
        return true;
    }
    if (inputFolder.size() + mainName->size() + kLinkNameReserve > kMaxPath) {
        out.Printf(kFileNameTooLong, mainName->c_str());
        return true;
    }
    const std::string path = inputFolder + *mainName + kLinkExtension;
    bool found = false;
    if (!reader.ReadLinkDescription(path, found)) return false;
    if (!found) out.Printf(kMainNotFound, path.c_str());
    return true;
}

bool CLinkRun::Link()
{
    if (outputFolder.size() + kOutputNameReserve > kMaxPath) {
        out.Printf(kOutputPathTooLong);
        return false;
    }
    if (!ReadModules() || !ReadMainModule()) return false;
    CLinkChecker checker(tables, out, options.insufficiencyIsWarning);
    if (!checker.CheckDeclarations()) return false;
    for (const auto& p : tables.Procs()) {
        if (!checker.CheckHandlers(*p)) return false;
    }
    CLinkWriter writer(tables, out);
    return writer.WriteLinkOutput(*project, outputFolder);
}

int Run(const std::vector<std::string>& args, CMessageStream& out)
{
    CLinkOptions options;
    const EConsoleStep step = ParseCommandLine(args, out, options);
    if (step != EConsoleStep::run) return ExitCode(step);
    CLinkRun run(options, out);
    const bool ok = run.ReadBuildDescription() && run.Link();
    out.Printf(ok ? kOk : kFailed);
    return ok ? kExitSuccess : kExitFailure;
}
}  // namespace

int RunLinker(const std::vector<std::string>& args)
{
    CMessageStream out;
    int code = Run(args, out);
    if (!out.CloseFile()) {
        // The messages of the run may be lost, so the run cannot count as a success.
        out.ConsolePrintf("%s", kCannotCloseMessageFile);
        code = kExitFailure;
    }
    return code;
}
