// The CONST, TYPE and VAR sections of a declaration sequence: the readers that the sequence
// driver calls for each declaration, the late checks after the sections, and the writers of the
// type and variable sections (C++) and of the constants, types and variables (definition text).
#include "Sections.h"

#include <cctype>
#include <unordered_set>

#include "CppIdent.h"
#include "decl/DeclSeq.h"
#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "emit/Output.h"
#include "RecordType.h"
#include "StructVars.h"
#include "Types.h"
#include "Vars.h"
#include "code/Expr.h"
#include "decl/CommonType.h"
#include "decl/Module.h"
#include "decl/Procedures.h"

namespace {
// The scope in which the types of a declaration are looked up: records are skipped, since
// field names are not type names.
CBaseName* TypeScope(CBaseName* owner)
{
    while (owner && owner->kind == kindRecordType) owner = owner->parent;
    return owner;
}

bool IsOpenArray(CBaseName* type)
{
    CBaseName* t = ResolveType(type);
    auto* array = As<CArrayType>(t);
    return array && array->length == 0;
}
}  // namespace

// A type declared in place that C++ declares as a struct of each variable's own: a record, a
// pointer to a record or array declared in place, an array of either.
static bool SharesStruct(CBaseType* type)
{
    if (auto* array = As<CArrayType>(type)) type = array->Innermost();
    if (Is<CRecordType>(type)) return true;
    auto* pointer = As<CPointerType>(type);
    return pointer && pointer->anonBase;
}

int ReadVarList(CLexBuf& lb, CBaseName* owner, bool local,
                const std::function<CBaseName*(const std::string&)>& declared,
                std::vector<std::unique_ptr<CBaseVar>>& vars)
{
    std::vector<std::unique_ptr<CBareName>> names;
    std::unordered_set<std::string> listed;
    int code = 0;
    for (;;) {
        auto ident = std::make_unique<CBareName>(owner, true);
        if (int err = ident->Init(lb)) return err;
        if (local && ident->exported) return errIllegallyMarkedIdent;
        if (declared(ident->name)) return errMultiplyDefinedIdent;
        if (!listed.insert(ident->name).second) return errMultiplyDefinedIdent;
        names.push_back(std::move(ident));
        if (!lb.NextSymbol(code)) return errColonMissing;
        if (code == symColon) break;
        if (code != symComma) return errColonMissing;
    }
    std::unique_ptr<CBaseType> type;
    if (int err = ParseType(lb, TypeScope(owner), type)) return err;
    if (IsOpenArray(type.get())) return errOpenArrayNotAllowed;
    bool shared = SharesStruct(type.get());
    // The names of one list are of one type; C++ would give each its own struct, so the others
    // are declared as the type of one of them: the first, or at module level the first exported
    // one (the header, which the source includes first, can name only that).
    size_t leader = 0;
    if (owner->kind == kindModule)
        for (size_t i = 0; i < names.size(); ++i)
            if (names[i]->exported) {
                leader = i;
                break;
            }
    for (auto& n : names) {
        std::unique_ptr<CBaseVar> v = type->CreateVar(owner);
        v->name = n->name;
        v->exported = n->exported;
        v->readOnly = n->readOnly;
        if (shared && &n != &names[leader]) v->listFirst = names[leader]->name;
        if (int err = FinishDeclaredVar(*v, *type, *n, owner->kind == kindRecordType)) return err;
        vars.push_back(std::move(v));
    }
    return errOK;
}

// ConstDecl = ident ["*"] "=" ConstExpression.
int ReadConstDeclaration(CLexBuf& lb, CDeclSeq& seq)
{
    if (!lb.Peek(symIdent)) return sigNoMoreDecl;
    CBareName ident(seq.owner, false);
    if (int err = ident.Init(lb)) return err;
    if (ident.hasSpec || (ident.exported && IsLocalScope(seq.owner))) return errIllegallyMarkedIdent;
    if (seq.FindName(ident.name)) return errMultiplyDefinedIdent;
    if (int err = lb.Expect(symEql, errEqlExpected)) return err;
    std::unique_ptr<CBaseVar> value;
    if (int err = ReadConstExpr(lb, seq.owner, value)) return err;
    value->name = ident.name;
    value->exported = ident.exported;
    value->readOnly = false;
    value->isVar = false;
    value->isConst = true;
    value->typeName.clear();
    value->typeModule.clear();
    value->parent = seq.owner;
    seq.AddName(std::move(value));
    return errOK;
}

// A pointer type is declared before its base is read, so that the base's fields and elements
// may name it: Node = POINTER TO RECORD next: Node END.
static int ReadPointerTypeDeclaration(CLexBuf& lb, CDeclSeq& seq, const CBareName& ident)
{
    auto owned = std::make_unique<CPointerType>(seq.owner);
    CPointerType& pointer = *owned;
    pointer.name = ident.name;
    pointer.exported = ident.exported && !ident.readOnly;
    if (ident.readOnly) To<CDfnModule>(seq.owner)->hiddenTypes.insert(ident.name);
    seq.AddName(std::move(owned));
    int code = 0;
    lb.NextSymbol(code);   // POINTER
    CNestingGuard guard;
    pointer.reading = true;
    int err = pointer.Init(lb);
    pointer.reading = false;
    return err;
}

// TypeDecl = ident ["*"] "=" type.
int ReadTypeDeclaration(CLexBuf& lb, CDeclSeq& seq)
{
    if (!lb.Peek(symIdent)) return sigNoMoreDecl;
    // "-" marks, in a definition file only, a type importers may not name.
    bool inDfn = seq.owner->kind == kindDfnModule;
    CBareName ident(seq.owner, inDfn);
    if (int err = ident.Init(lb)) return err;
    if (ident.hasSpec || (ident.exported && IsLocalScope(seq.owner))) return errIllegallyMarkedIdent;
    int code = 0;
    // "+=" and "." after the name add specializations to a common type.
    if (!lb.NextSymbol(code)) return errEqlExpected;
    if (code == symPlusBecomes || code == symPeriod) return ReadCommonExtension(lb, seq, ident, code);
    if (code != symEql) return errEqlExpected;
    if (seq.FindName(ident.name)) return errMultiplyDefinedIdent;
    if (lb.Peek(symPOINTER)) return ReadPointerTypeDeclaration(lb, seq, ident);
    std::unique_ptr<CBaseType> type;
    if (int err = ParseType(lb, seq.owner, type)) return err;
    type->name = ident.name;
    type->exported = ident.exported && !ident.readOnly;
    if (ident.readOnly) To<CDfnModule>(seq.owner)->hiddenTypes.insert(ident.name);
    if (auto* record = As<CRecordType>(type.get())) {
        if (record->exported && record->base) {
            CBaseName* decl = GetGlobalName(seq.owner, record->base->qualifier, record->base->name);
            CBaseName* final = nullptr;
            if (int err = ResolveSynonyms(decl, true, final)) return err;
        }
        record->SysId();
    }
    seq.AddName(std::move(type));
    return errOK;
}

// VarDecl = IdentList ":" type.
int ReadVarDeclaration(CLexBuf& lb, CDeclSeq& seq)
{
    if (!lb.Peek(symIdent)) return sigNoMoreDecl;
    std::vector<std::unique_ptr<CBaseVar>> vars;
    auto declared = [&seq](const std::string& id) { return seq.FindName(id); };
    if (int err = ReadVarList(lb, seq.owner, IsLocalScope(seq.owner), declared, vars)) return err;
    for (auto& v : vars) seq.AddName(std::move(v));
    return errOK;
}

std::unique_ptr<CBaseName> CreateSystemPtrType(CBaseName* system, const std::string& name)
{
    auto ptr = std::make_unique<CPtrType>(system);
    ptr->name = name;
    ptr->exported = true;
    return ptr;
}

int CheckDeclarationLate(CBaseName& decl, SLatePos& at)
{
    switch (decl.kind) {
    case kindArrayType:
    case kindRecordType:
    case kindPointerType:
    case kindProcedureType: return To<CBaseType>(decl).CheckLate(at);
    default: return Is<CBaseVar>(&decl) ? To<CBaseVar>(decl).CheckType(at) : errOK;
    }
}

// Types first as typedefs and forward declarations, then the struct bodies, so that records
// may refer to one another through pointers.
void WriteTypeSection(CCppOutput& f, CDeclSeq& seq, bool moduleLevel)
{
    for (auto& d : seq.decls) {
        auto* type = As<CBaseType>(d.get());
        if (!type) continue;
        auto& t = *type;
        bool toHeader = moduleLevel || t.exported;
        if (t.HasStructBody()) t.WriteForward(f, toHeader);
        else t.WriteCPP(f, toHeader);
    }
    for (auto& d : seq.decls) {
        auto* type = As<CBaseType>(d.get());
        if (!type) continue;
        auto& t = *type;
        if (t.HasStructBody()) t.WriteStructBody(f, moduleLevel || t.exported);
    }
}

void WriteVarSection(CCppOutput& f, CDeclSeq& seq, bool moduleLevel)
{
    f.Cpp("%s//VAR\n", moduleLevel ? "\n" : "");
    for (auto& d : seq.decls) {
        auto* var = As<CBaseVar>(d.get());
        if (!var) continue;
        auto& v = *var;
        if (!moduleLevel) {
            v.WriteCPP(f);
            f.Cpp(";\n");
        } else if (v.exported) {
            v.WriteCPP(f);
            f.Cpp(";\n");
            f.Hdr(";\n");
        } else {
            std::string open = HiddenNamespaceCpp(&v);
            f.Cpp("%s", open.substr(0, open.size() - 1).c_str());
            v.WriteCPP(f);
            f.Cpp(";%s\n", "}");
        }
    }
}

namespace {
bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The names a definition text refers to: its identifiers outside comments and strings, except
// the qualified halves ("M.T" gives neither), the names being declared (followed by ":") and
// the specializations.
void CollectReferences(const std::string& text, std::unordered_set<std::string>& names)
{
    size_t i = 0, n = text.size();
    while (i < n) {
        char c = text[i];
        if (c == '(' && i + 1 < n && text[i + 1] == '*') {
            size_t end = text.find("*)", i + 2);
            i = end == std::string::npos ? n : end + 2;
        } else if (c == '"' || c == '\'') {
            size_t end = text.find(c, i + 1);
            i = end == std::string::npos ? n : end + 1;
        } else if (c == '<' || (c == '+' && i + 1 < n && text[i + 1] == '=')) {
            // Specializations name their types themselves, in bindings and added lists.
            size_t end = text.find(c == '<' ? '>' : '\n', i + 1);
            i = end == std::string::npos ? n : end + 1;
        } else if (IsIdentStart(c)) {
            size_t start = i;
            while (i < n && IsIdentChar(text[i])) ++i;
            size_t next = i;
            while (next < n && (text[next] == ' ' || text[next] == '\t')) ++next;
            bool qualified = (start > 0 && text[start - 1] == '.') || (next < n && text[next] == '.');
            bool declared = next < n && text[next] == ':' && (next + 1 >= n || text[next + 1] != '=');
            if (!qualified && !declared) names.insert(text.substr(start, i - start));
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            while (i < n && IsIdentChar(text[i])) ++i;   // numbers such as 0FFH or 1.5E3
        } else {
            ++i;
        }
    }
}
}  // namespace

std::unordered_set<const CBaseName*> HiddenTypesReached(CDeclSeq& seq)
{
    std::unordered_set<const CBaseName*> reached;
    CDfnOutput probe;
    probe.OpenInMemory();
    WriteConstTypeVarDFN(probe, seq);
    WriteProcedureDFN(probe, seq);
    std::unordered_set<std::string> names;
    CollectReferences(probe.Text(), names);
    // A hidden type's own text may reach further hidden types: repeat until nothing is added.
    for (bool added = true; added;) {
        added = false;
        for (auto& d : seq.decls) {
            if (!IsTypeKind(d->kind) || d->exported || reached.count(d.get()) || !names.count(d->name)) continue;
            reached.insert(d.get());
            CDfnOutput text;
            text.OpenInMemory();
            d->WriteDFN(text);
            CollectReferences(text.Text(), names);
            added = true;
        }
    }
    return reached;
}

// Hidden types that exported declarations reach are written with "-" after their name, in
// declaration order among the exported ones: importers use them through those declarations
// only. A record among them shows only its base and its exported fields.
void WriteConstTypeVarDFN(CDfnOutput& f, CDeclSeq& seq, const std::unordered_set<const CBaseName*>* hidden)
{
    const char* lead = "\nCONST\n\t";
    for (auto& d : seq.decls) {
        if (!d->exported || !IsConstVar(d.get())) continue;
        f.Dfn("%s", lead);
        d->WriteDFN(f);
        f.Dfn(";\n");
        lead = "\t";
    }
    lead = "\nTYPE\n\t";
    for (auto& d : seq.decls) {
        if (auto* extension = As<CCommonExtension>(d.get())) {
            if (extension->WriteExtensionDfn(f, lead)) lead = "\t";
            continue;
        }
        if (!IsTypeKind(d->kind)) continue;
        bool reached = !d->exported && hidden && hidden->count(d.get());
        if (!d->exported && !reached) continue;
        f.Dfn("%s%s%s = ", lead, d->name.c_str(), reached ? "-" : "");
        d->WriteDFN(f);
        f.Dfn(";\n");
        lead = "\t";
    }
    lead = "\nVAR\n\t";
    for (auto& d : seq.decls) {
        if (!Is<CBaseVar>(d.get()) || !d->exported || IsConstVar(d.get())) continue;
        if (ListedWithOther(To<CBaseVar>(*d), seq.decls)) continue;
        f.Dfn("%s", lead);
        WriteListDFN(f, To<CBaseVar>(*d), seq.decls);
        f.Dfn(";\n");
        lead = "\t";
    }
}
