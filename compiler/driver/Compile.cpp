// The compiler's run from the token list to the outcome line: parse the module, write
// DFN/<m>.dfn, then CPP/<m>.vyl, .cpp and .h, then (main module) the support files, and last
// the build description. Every file is written beside its place and all of them are moved in
// only when the whole run has succeeded, so a failing step leaves the files of earlier runs.
#include "driver/Compile.h"

#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "front/Messages.h"
#include "decl/Module.h"
#include "emit/Output.h"
#include "driver/Project.h"
#include "emit/SupportFiles.h"

namespace {
constexpr int kExitOK = 0;
constexpr int kExitFailed = 1;

// Opens the writer on the module's files, lets `write` fill them and closes them. A failed open,
// an internal error on the way (reported here) or a failed close gives false; the writer is
// closed in every case (closing a writer that did not open writes nothing).
template <class Output, class Write>
bool WriteModuleFiles(Output& out, CModule& module, COutputFiles& outputs, Write write)
{
    if (out.Open(module.name, &outputs)) {
        out.Close();
        return false;
    }
    try {
        write(out);
    } catch (const error_Internal& e) {
        Msg(msg::kInternalError, e.what());
        out.Close();
        return false;
    }
    return out.Close();
}

bool WriteDefinitionFile(CModule& module, COutputFiles& outputs)
{
    CDfnOutput dfn;
    return WriteModuleFiles(dfn, module, outputs, [&](CDfnOutput& f) { module.WriteDFN(f); });
}

bool WriteCppFiles(CModule& module, COutputFiles& outputs, bool checks)
{
    CCppOutput cpp;
    cpp.checks = checks;
    cpp.checkModule = module.name;
    return WriteModuleFiles(cpp, module, outputs, [&](CCppOutput& f) { module.WriteCPP(f); });
}

// The build description after the module files: the main module records itself as Main
// (and gets the support files), any other module gets its File entry; then every import.
bool UpdateBuildDescription(const SCommandLine& cl, CProject& project, bool mainFlag, CModule& module,
                            COutputFiles& outputs)
{
    if (cl.drop)
        project.DropBuildDescription();
    else if (!project.LoadBuildDescription())
        return false;
    if (mainFlag) {
        if (!WriteSupportFiles(module.name, &outputs)) return false;
    } else {
        project.AddCompiledModule(cl.source, module.name);
    }
    project.AddImportedModules(module);
    if (mainFlag) project.AddRunTimeModule();
    return project.WriteBuildDescription(mainFlag, module.name, &outputs);
}

bool WriteOutputs(const SCommandLine& cl, CProject& project, bool mainFlag, CModule& module)
{
    if (mainFlag && !project.CheckExecutableName()) return false;
    COutputFiles outputs;
    if (!WriteDefinitionFile(module, outputs) || !WriteCppFiles(module, outputs, cl.checks) ||
        (cl.checks && !WriteCheckHeader(&outputs)) ||
        !UpdateBuildDescription(cl, project, mainFlag, module, outputs))
        return false;
    std::string failed;
    if (outputs.Commit(failed)) return true;
    Msg(msg::kCannotCloseFile, failed.c_str());
    return false;
}
}  // namespace

int PrepareProject(const SCommandLine& cl, CProject& project, bool& mainFlag)
{
    mainFlag = cl.mainModule;
    if (cl.hasProject) {
        if (project.ReadProjectFile(cl.project) != 0)
            Msg(msg::kCannotOpenProject);
        else if (!mainFlag && project.IsMainFile(cl.source))
            mainFlag = true;
    }
    if (cl.tabSize >= 0) project.tabSize = cl.tabSize;
    return project.tabSize;
}

int CompileModule(const SCommandLine& cl, CProject& project, bool mainFlag, std::unique_ptr<CLexBuf>& lb)
{
    CModule module;
    int err;
    try {
        err = module.Init(project, *lb);
    } catch (const error_Internal& e) {
        Msg(msg::kInternalError, e.what());
        err = errUnknownInternal;
    }
    if (err) {
        ReportError(err, *lb);
        Msg(msg::kSyntaxFailed, cl.source.c_str());
        return kExitFailed;
    }
    lb.reset();
    if (!WriteOutputs(cl, project, mainFlag, module)) {
        Msg(msg::kModuleFailed, module.name.c_str(), cl.source.c_str());
        return kExitFailed;
    }
    Msg(msg::kModuleOK, module.name.c_str(), cl.source.c_str());
    return kExitOK;
}
