// Module frames and imports: parsing MODULE and DEFINITION units, the import list with its
// aliases, and loading each imported module from its definition file (first "DFN/", then the
// project's import folders). Writing the module is in ModuleWriter.cpp.
#include "Module.h"

#include <cstdio>

#include "Diagnostics.h"
#include "Lexer.h"
#include "Messages.h"
#include "Project.h"

namespace {
const char* const kSystemName = "SYSTEM";
const char* const kPtrName = "PTR";
const char* const kDfnExtension = ".dfn";
const char* const kOwnDfnFolder = "DFN/";

bool NextIs(CLexBuf& lb, int symbol)
{
    int code = 0;
    return lb.NextSymbol(code) && code == symbol;
}

bool NextIdent(CLexBuf& lb, std::string& text)
{
    int code = 0;
    return lb.NextSymbol(code, text) && code == symIdent;
}
}  // namespace

CStatementBody::~CStatementBody() = default;

CModuleBase::~CModuleBase() = default;

void CModuleBase::AddName(std::unique_ptr<CBaseName> decl)
{
    if (!decls) throw error_Internal("CModuleBase::AddName");
    decls->AddName(std::move(decl));
}

CBaseName* CModuleBase::FindName(const std::string& id)
{
    return decls ? decls->FindName(id) : nullptr;
}

// ImportList = IMPORT ImportEntry {"," ImportEntry} ";".   (optional)
int CModuleBase::ReadImportList(CProject& project, CLexBuf& lb)
{
    SLexPos pos = lb.SavePos();
    if (!NextIs(lb, symIMPORT)) {
        lb.RestorePos(pos);
        return errOK;
    }
    for (;;) {
        if (int err = ReadImportEntry(project, lb)) return err;
        int code = 0;
        if (!lb.NextSymbol(code)) return errSemicolonMissing;
        if (code == symSemicolon) return errOK;
        if (code != symComma) return errSemicolonMissing;
    }
}

// ImportEntry = ident [":=" ident].
int CModuleBase::ReadImportEntry(CProject& project, CLexBuf& lb)
{
    std::string alias, module;
    if (!NextIdent(lb, alias)) return errIdentExpected;
    SLexPos pos = lb.SavePos();
    if (NextIs(lb, symBecomes)) {
        if (!NextIdent(lb, module)) return errIdentExpected;
    } else {
        lb.RestorePos(pos);
        module = alias;
    }
    if (decls->FindName(alias)) return errMultiplyDefinedIdent;
    decls->AddName(std::make_unique<CImportName>(this, alias, module));
    if (module == name) return errRecursiveImport;
    return LoadImportedModule(project, *this, module, alias);
}

// Module = MODULE ident ";" [ImportList] DeclarationSequence [BEGIN StatementSequence]
//          END ident ".".
int CModule::Init(CProject& project, CLexBuf& lb)
{
    if (!NextIs(lb, symMODULE)) return errModuleExpected;
    if (!NextIdent(lb, name)) return errIdentExpected;
    if (name == kSystemName) return errSystemNameReserved;
    if (!NextIs(lb, symSemicolon)) return errSemicolonMissing;
    decls = std::make_unique<CDeclSeq>(this);
    if (int err = ReadImportList(project, lb)) return err;
    if (int err = decls->Init(lb)) return err;
    return ReadEnd(lb);
}

// [BEGIN StatementSequence] END ident "."
int CModule::ReadEnd(CLexBuf& lb)
{
    int code = 0;
    if (!lb.NextSymbol(code) || code < symPeriod) return errEndMissing;
    if (code == symBEGIN) {
        if (int err = ReadStatementBody(lb, this, body)) return err;
        if (!lb.NextSymbol(code) || code < symPeriod) return errEndMissing;
    }
    if (code != symEND) return errEndMissing;
    std::string closing;
    if (!NextIdent(lb, closing)) return errIdentExpected;
    if (closing != name) return errModuleNameMismatch;
    if (!NextIs(lb, symPeriod)) return errPeriodMissing;
    return errOK;
}

int CModule::Init(CLexBuf&)
{
    throw error_Internal("CModule::Init(CLexBuf*)");
}

// Definition = DEFINITION ident ";" [ImportList] DeclarationSequence END ident ".".
int CDfnModule::Init(CProject& project, CLexBuf& lb)
{
    if (!NextIs(lb, symDEFINITION)) return errDefinitionExpected;
    if (!NextIdent(lb, name)) return errIdentExpected;
    if (!NextIs(lb, symSemicolon)) return errSemicolonMissing;
    decls = std::make_unique<CDfnDeclSeq>(this);
    if (int err = ReadImportList(project, lb)) return err;
    if (int err = decls->Init(lb)) return err;
    if (!NextIs(lb, symEND)) return errEndMissing;
    std::string closing;
    if (!NextIdent(lb, closing) || closing != name) return errModuleNameMismatch;
    if (!NextIs(lb, symPeriod)) return errPeriodMissing;
    return errOK;
}

int CDfnModule::Init(CLexBuf&)
{
    throw error_Internal("CDfnModule::Init(CLexBuf*)");
}

namespace {
// Nesting of definition files above `importer`, and whether `module` is already being read
// on that chain (the compiled module included): importing it again would never end.
int ImportDepth(const CModuleBase& importer, const std::string& module, bool& cycle)
{
    int depth = 0;
    cycle = false;
    for (const CBaseName* scope = &importer; scope; scope = scope->parent) {
        if (!IsModuleKind(scope->kind)) continue;
        ++depth;
        if (scope != &importer && scope->name == module) cycle = true;
    }
    return depth;
}

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
}  // namespace

int LoadImportedModule(CProject& project, CModuleBase& importer, const std::string& module,
                       const std::string& alias)
{
    bool cycle = false;
    int depth = ImportDepth(importer, module, cycle);
    if (cycle) return errRecursiveImport;
    if (depth > project.maxImportDepth) {
        Msg(msg::kImportsTooDeep, project.maxImportDepth, module.c_str());
        return errDfnError;
    }
    if (++project.dfnLoads > project.maxDfnLoads) {
        Msg(msg::kTooManyImports, project.maxDfnLoads, module.c_str());
        return errDfnError;
    }

    std::string folder, path;
    if (!FindDfnFile(project, module, folder, path)) {
        Msg(msg::kDfnNotFound, module.c_str());
        return errDfnNotFound;
    }
    std::unique_ptr<CLexBuf> lb = CLexBuf::Tokenize(path, project.tabSize);
    if (!lb) return errDfnError;

    bool system = module == kSystemName;
    auto imported = std::make_unique<CDfnModule>(system ? kindSystemModule : kindDfnModule, &importer);
    int err = imported->Init(project, *lb);
    if (system) {
        if (imported->name.empty()) imported->name = module;
        if (!imported->decls) imported->decls = std::make_unique<CDfnDeclSeq>(imported.get());
        imported->AddName(CreateSystemPtrType(imported.get(), kPtrName));
        err = errOK;
    }
    if (err) {
        ReportError(err, *lb);
        Msg(msg::kSyntaxFailed, path.c_str());
        return errDfnError;
    }
    imported->alias = alias;
    if (folder != kOwnDfnFolder) imported->pathPrefix = folder;
    importer.decls->imported.push_back(std::move(imported));
    return errOK;
}
