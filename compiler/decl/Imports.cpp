// Loading imported modules from their definition files (first "DFN/", then the project's
// import folders). A definition file's import list names further definition files; they are
// read one inside the other with an explicit stack of open files, so a chain thousands deep
// costs no call stack, and a module that is already being read on the chain (a cycle) ends
// with 35 at the import that closes it. Each file is read once per compilation: a module
// reached again by another path of the import graph is shared, which keeps graphs where many
// modules import the same ones linear. Each failing file reports its own diagnostic line.
#include <cstdio>
#include <unordered_map>

#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "front/Messages.h"
#include "decl/Module.h"
#include "decl/Sections.h"
#include "driver/Project.h"

namespace {
const char* const kSystemName = "SYSTEM";
const char* const kPtrName = "PTR";
const char* const kDfnExtension = ".dfn";
const char* const kOwnDfnFolder = "DFN/";
constexpr int kChildOpened = -1;   // a step result: an imported file was opened on top

// Where the reading of one definition file stands.
enum class EDfnStep { header, entry, separator, rest };

// One definition file being read.
struct SDfnLoad {
    std::unique_ptr<CDfnModule> module;
    std::unique_ptr<CLexBuf> lb;
    CModuleBase* importer = nullptr;
    std::string requested;   // the module name it was loaded for
    std::string alias, folder, path;
    EDfnStep step = EDfnStep::header;
};

// The first search folder whose candidate file opens for reading; false when none does.
bool FindDfnFile(const CProject& project, const std::string& module, std::string& folder, std::string& path)
{
    for (const std::string& candidateFolder : project.searchFolders) {
        std::string candidate = candidateFolder + module + kDfnExtension;
        if (std::FILE* f = std::fopen(candidate.c_str(), "r")) {
            std::fclose(f);
            folder = candidateFolder;
            path = candidate;
            return true;
        }
    }
    return false;
}

class CImportLoader {
public:
    CImportLoader(CProject& project, CModuleBase& root);
    // Loads `module` and, inside it, everything it imports; 0 or the importer's error code.
    int Load(const std::string& module, const std::string& alias);

private:
    int Open(CModuleBase& importer, const std::string& module, const std::string& alias);
    int Step(SDfnLoad& load, int childResult);
    int Finish(int err);

    CProject& project;
    CModuleBase& root;
    CModuleBase* outermost = nullptr;               // holds the modules read in this compilation
    int rootDepth = 0;                              // modules on the root's own parent chain
    std::vector<SDfnLoad> stack;                    // the files being read, innermost last
    std::unordered_map<std::string, int> onChain;   // module names on the chain, with counts
};

CImportLoader::CImportLoader(CProject& project, CModuleBase& root) : project(project), root(root)
{
    for (CBaseName* scope = &root; scope; scope = scope->parent) {
        auto* module = As<CModuleBase>(scope);
        if (!module) continue;
        ++rootDepth;
        ++onChain[scope->name];
        outermost = module;
    }
    if (!outermost) outermost = &root;
}

int CImportLoader::Load(const std::string& module, const std::string& alias)
{
    if (int err = Open(root, module, alias)) return err;
    int childResult = errOK;
    while (!stack.empty()) {
        int err = Step(stack.back(), childResult);
        childResult = errOK;
        if (err == kChildOpened) continue;
        childResult = Finish(err);
    }
    return childResult;
}

// Finds, tokenizes and starts reading a definition file on top of the stack; 0 when it is open,
// else the importer's error code (messages written).
int CImportLoader::Open(CModuleBase& importer, const std::string& module, const std::string& alias)
{
    auto found = onChain.find(module);
    if (found != onChain.end() && found->second > 0) return errRecursiveImport;
    auto known = outermost->loadedModules.find(module);
    if (known != outermost->loadedModules.end()) {
        // The outermost module's own alias is the one its generated source uses.
        if (&importer == outermost) known->second->alias = alias;
        importer.decls->imported.push_back(known->second);
        return errOK;
    }
    if (rootDepth + int(stack.size()) > project.maxImportDepth) {
        Msg(msg::kImportsTooDeep, project.maxImportDepth, module.c_str());
        return errDfnError;
    }
    if (++project.dfnLoads > project.maxDfnLoads) {
        Msg(msg::kTooManyImports, project.maxDfnLoads, module.c_str());
        return errDfnError;
    }
    SDfnLoad load;
    if (!FindDfnFile(project, module, load.folder, load.path)) {
        Msg(msg::kDfnNotFound, module.c_str());
        return errDfnNotFound;
    }
    load.lb = CLexBuf::Tokenize(load.path, project.tabSize);
    if (!load.lb) return errDfnError;
    EKind kind = module == kSystemName ? kindSystemModule : kindDfnModule;
    load.module = std::make_unique<CDfnModule>(kind, &importer);
    load.importer = &importer;
    load.requested = module;
    load.alias = alias;
    ++onChain[module];
    stack.push_back(std::move(load));
    return errOK;
}

// Reads the file on top until it opens an imported file (kChildOpened) or ends (its result).
// `childResult` is the outcome of the imported file that ended last, if any.
int CImportLoader::Step(SDfnLoad& load, int childResult)
{
    CDfnModule& module = *load.module;
    CLexBuf& lb = *load.lb;
    for (;;) {
        switch (load.step) {
        case EDfnStep::header: {
            if (int err = module.ReadHeader(lb)) return err;
            bool present = false;
            if (int err = module.ReadImportStart(lb, present)) return err;
            load.step = present ? EDfnStep::entry : EDfnStep::rest;
            break;
        }
        case EDfnStep::entry: {
            std::string imported, alias;
            if (int err = module.ReadImportEntry(lb, imported, alias)) return err;
            load.step = EDfnStep::separator;
            size_t depth = stack.size();
            if (int err = Open(module, imported, alias)) return err;
            if (stack.size() == depth) break;   // read before: nothing opened
            return kChildOpened;   // `load` may have moved: touch it no more
        }
        case EDfnStep::separator: {
            if (childResult) return childResult;
            bool more = false;
            if (int err = module.ReadImportSeparator(lb, more)) return err;
            load.step = more ? EDfnStep::entry : EDfnStep::rest;
            break;
        }
        case EDfnStep::rest:
            return module.ReadRest(lb);
        }
    }
}

// Ends the file on top: attaches its module to the importer, or reports its error. SYSTEM
// always loads once tokenized, and gets the predeclared type PTR. Returns the importer's code.
int CImportLoader::Finish(int err)
{
    SDfnLoad load = std::move(stack.back());
    stack.pop_back();
    --onChain[load.requested];
    CDfnModule& module = *load.module;
    if (module.kind == kindSystemModule) {
        if (module.name.empty()) module.name = load.requested;
        if (!module.decls) module.decls = std::make_unique<CDfnDeclSeq>(&module);
        module.AddName(CreateSystemPtrType(&module, kPtrName));
        err = errOK;
    }
    if (err) {
        ReportError(err, *load.lb);
        Msg(msg::kSyntaxFailed, load.path.c_str());
        return errDfnError;
    }
    module.alias = load.alias;
    if (load.folder != kOwnDfnFolder) module.pathPrefix = load.folder;
    outermost->loadedModules[load.requested] = &module;
    load.importer->decls->AddImported(std::move(load.module));
    return errOK;
}
}  // namespace

int LoadImportedModule(CProject& project, CModuleBase& importer, const std::string& module,
                       const std::string& alias)
{
    CImportLoader loader(project, importer);
    return loader.Load(module, alias);
}
