// Module frames: parsing MODULE and DEFINITION units and the import list with its aliases.
// Loading the imported modules is in Imports.cpp, writing the module in ModuleWriter.cpp.
#include "decl/Module.h"

#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "driver/Project.h"
#include "code/Statements.h"

namespace {
const char* const kSystemName = "SYSTEM";
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

int CModuleBase::ReadImportStart(CLexBuf& lb, bool& present)
{
    present = lb.Accept(symIMPORT);
    return errOK;
}

// ImportEntry = ident [":=" ident].
int CModuleBase::ReadImportEntry(CLexBuf& lb, std::string& module, std::string& alias)
{
    if (int err = lb.ExpectIdent(alias, errIdentExpected)) return err;
    if (lb.Accept(symBecomes)) {
        if (int err = lb.ExpectIdent(module, errIdentExpected)) return err;
    } else {
        module = alias;
    }
    if (decls->FindName(alias)) return errMultiplyDefinedIdent;
    decls->AddName(std::make_unique<CImportName>(this, alias, module));
    if (module == name) return errRecursiveImport;
    return errOK;
}

int CModuleBase::ReadImportSeparator(CLexBuf& lb, bool& more)
{
    int code = 0;
    if (!lb.NextSymbol(code) || (code != symComma && code != symSemicolon)) return errSemicolonMissing;
    more = code == symComma;
    return errOK;
}

// ImportList = IMPORT ImportEntry {"," ImportEntry} ";".   (optional)
int CModuleBase::ReadImportList(CProject& project, CLexBuf& lb)
{
    bool more = false;
    if (int err = ReadImportStart(lb, more)) return err;
    while (more) {
        std::string module, alias;
        if (int err = ReadImportEntry(lb, module, alias)) return err;
        if (int err = LoadImportedModule(project, *this, module, alias)) return err;
        if (int err = ReadImportSeparator(lb, more)) return err;
    }
    return errOK;
}

// Module = MODULE ident ";" [ImportList] DeclarationSequence [BEGIN StatementSequence]
//          END ident ".".
int CModule::Init(CProject& project, CLexBuf& lb)
{
    if (int err = lb.Expect(symMODULE, errModuleExpected)) return err;
    if (int err = lb.ExpectIdent(name, errIdentExpected)) return err;
    if (name == kSystemName) return errSystemNameReserved;
    if (int err = lb.Expect(symSemicolon, errSemicolonMissing)) return err;
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
    if (int err = lb.ExpectIdent(closing, errIdentExpected)) return err;
    if (closing != name) return errModuleNameMismatch;
    return lb.Expect(symPeriod, errPeriodMissing);
}

int CModule::Init(CLexBuf&)
{
    throw error_Internal("CModule::Init(CLexBuf*)");
}

// Definition = DEFINITION ident ";" [ImportList] DeclarationSequence END ident ".".
int CDfnModule::Init(CProject& project, CLexBuf& lb)
{
    if (int err = ReadHeader(lb)) return err;
    if (int err = ReadImportList(project, lb)) return err;
    return ReadRest(lb);
}

int CDfnModule::ReadHeader(CLexBuf& lb)
{
    if (int err = lb.Expect(symDEFINITION, errDefinitionExpected)) return err;
    if (int err = lb.ExpectIdent(name, errIdentExpected)) return err;
    if (int err = lb.Expect(symSemicolon, errSemicolonMissing)) return err;
    decls = std::make_unique<CDfnDeclSeq>(this);
    return errOK;
}

int CDfnModule::ReadRest(CLexBuf& lb)
{
    if (int err = decls->Init(lb)) return err;
    if (int err = lb.Expect(symEND, errEndMissing)) return err;
    std::string closing;
    if (lb.ExpectIdent(closing, errModuleNameMismatch) || closing != name) return errModuleNameMismatch;
    return lb.Expect(symPeriod, errPeriodMissing);
}

int CDfnModule::Init(CLexBuf&)
{
    throw error_Internal("CDfnModule::Init(CLexBuf*)");
}

