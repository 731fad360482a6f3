// Names and scopes: the base declaration, identifier definitions with export marks, and the
// lookups that every parser uses (unqualified, qualified through an import alias, through a
// WITH binding or a receiver type), plus the owning-module queries of the C++ writers.
#include "front/Names.h"

#include "decl/DeclSeq.h"
#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "decl/Module.h"

CBaseName::~CBaseName() = default;

const char* KindName(int k)
{
    static const char* const names[] = {
        "None", "Module", "DfnModule", "SystemModule", "Import", "ScopeNode", "Procedure", "HandlerProc",
        "CommonProc", "DfnProc", "DfnCommonProc", "ForwardProc", "BareName", "ProcedureType", "SetType",
        "QualidentType", "SpecType", "ArrayType", "RecordType", "CommonType", "CommonExtension", "PointerType",
        "LongrealType", "RealType", "LongintType", "IntegerType", "ShortintType", "CharType", "BooleanType",
        "PtrType", "SetVar", "ArrayVar", "RecordVar", "CommonVar", "PointerVar", "ProcedureVar", "LongrealVar",
        "RealVar", "LongintVar", "IntegerVar", "ShortintVar", "CharVar", "BoolVar", "PtrVar"};
    static_assert(sizeof(names) / sizeof(names[0]) == kindPtrVar + 1, "one name for every kind");
    return k >= 0 && k <= kindPtrVar ? names[k] : "?";
}

void KindMismatch(const CBaseName* decl)
{
    throw error_Internal(std::string("To<T>: unexpected kind ") + (decl ? KindName(decl->kind) : "(no declaration)"));
}

void CBaseName::AddName(std::unique_ptr<CBaseName>)
{
    throw error_Internal("CBaseName::AddName");
}

CBaseName* CBaseName::FindName(const std::string&)
{
    throw error_Internal("CBaseName::FindName");
}

// A plain CBaseName is the bare name of an identifier definition without read-only marks.
int CBaseName::Init(CLexBuf& lb)
{
    CBareName ident(parent, false);
    if (int err = ident.Init(lb)) return err;
    name = ident.name;
    exported = ident.exported;
    return errOK;
}

void CBaseName::WriteCPP(CCppOutput&) {}

void CBaseName::WriteDFN(CDfnOutput&) {}

// ident ["*" | "-"] ["<" [ident ["." ident]] ">"]
int CBareName::Init(CLexBuf& lb)
{
    int code = 0;
    std::string text;
    if (int err = lb.ExpectIdent(text, errIdentExpected)) return err;
    name = text;

    SLexPos pos = lb.SavePos();
    if (lb.NextSymbol(code) && (code == symTimes || code == symMinus)) {
        if (code == symMinus) {
            if (!allowReadOnly) return errIllegallyMarkedIdent;
            readOnly = true;
        }
        exported = true;
    } else {
        lb.RestorePos(pos);
    }

    if (!lb.Accept(symLss)) return errOK;
    return ReadSpecialization(lb);
}

// After "<": [ident ["." ident]] ">"
int CBareName::ReadSpecialization(CLexBuf& lb)
{
    hasSpec = true;
    int code = 0;
    std::string text;
    SLexPos pos = lb.SavePos();
    if (lb.NextSymbol(code, text) && code == symIdent) {
        specName = text;
        if (lb.Accept(symPeriod)) {
            if (int err = lb.ExpectIdent(text, errIdentExpected)) return err;
            specQualifier = specName;
            specName = text;
        }
    } else {
        lb.RestorePos(pos);
    }
    return lb.Expect(symGtr, errGtrMissing);
}

// Scope nodes are checked one after the other without recursion, so deeply nested LOOP and
// WITH statements cost no stack here.
CBaseName* CScopeNode::FindName(const std::string& id)
{
    CBaseName* scope = this;
    while (auto* node = As<CScopeNode>(scope)) {
        if (node->bound && node->qualifier.empty() && node->bound->name == id) return node->bound.get();
        scope = scope->parent;
    }
    return scope ? scope->FindName(id) : nullptr;
}

CBaseName* FindUnqualified(CBaseName* scope, const std::string& id)
{
    if (id.empty()) return nullptr;
    for (; scope; scope = scope->parent) {
        if (auto* node = As<CScopeNode>(scope)) {
            if (node->bound && node->qualifier.empty() && node->bound->name == id) return node->bound.get();
            continue;
        }
        if (CBaseName* found = scope->FindName(id)) return found;
    }
    return nullptr;
}

// Qualifier.id inside a module: the qualifier must be an import alias; the answer is the
// imported module's own declaration.
static CBaseName* FindThroughImport(CModuleBase& module, const std::string& qualifier,
                                    const std::string& id)
{
    auto* entry = As<CImportName>(module.FindName(qualifier));
    if (!entry || !module.decls) return nullptr;
    CDfnModule* imported = module.decls->FindImported(entry->moduleName);
    if (!imported || imported->hiddenTypes.count(id)) return nullptr;
    return imported->FindName(id);
}

CBaseName* GetGlobalName(CBaseName* scope, const std::string& qualifier, const std::string& id)
{
    if (qualifier.empty()) return FindUnqualified(scope, id);
    for (; scope; scope = scope->parent) {
        if (auto* module = As<CModuleBase>(scope)) return FindThroughImport(*module, qualifier, id);
        if (auto* node = As<CScopeNode>(scope)) {
            if (node->bound && !node->qualifier.empty() && node->qualifier == qualifier && node->bound->name == id)
                return node->bound.get();
            continue;
        }
        if (IsProcedureKind(scope->kind)) {
            const std::string* receiver = scope->ReceiverTypeName();
            if (receiver && *receiver == qualifier && scope->name == id) return scope;
        }
    }
    throw error_Internal("::GetGlobalName");
}

CBaseName* GetOwningModule(CBaseName* decl)
{
    for (CBaseName* scope = decl; scope; scope = scope->parent)
        if (IsModuleKind(scope->kind)) return scope;
    return decl;
}

bool IsNamedLikeItsModule(const CBaseName* decl)
{
    const CBaseName* module = decl ? decl->parent : nullptr;
    return module && module->kind == kindModule && decl->name == module->name;
}

std::string GetModuleAlias(CBaseName* decl)
{
    CBaseName* module = GetOwningModule(decl);
    if (!module || module->kind != kindDfnModule) return std::string();
    return To<CDfnModule>(module)->alias;
}

std::string GetModuleName(CBaseName* decl)
{
    CBaseName* module = GetOwningModule(decl);
    if (!module || module->kind != kindDfnModule) return std::string();
    return module->name;
}

bool NameMatches(CBaseName* decl, const std::string& qualifier, const std::string& id)
{
    return decl && decl->name == id && GetModuleAlias(decl) == qualifier;
}
