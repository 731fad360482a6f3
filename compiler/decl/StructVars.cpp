// Record, pointer and procedure variables: module-level declarations, parameter and field forms,
// definition-file lines, and the late checks that resolve pointer bases declared further down.
#include "StructVars.h"

#include "CppIdent.h"
#include "front/Diagnostics.h"
#include "FormalPars.h"
#include "emit/Output.h"
#include "RecordType.h"
#include "Types.h"
#include "decl/CommonType.h"

namespace {
const char* const kUnnamedPrefix = "VYK_UNNM_";

// The declared type a variable names, synonyms resolved, or nullptr.
CBaseName* NamedType(const CBaseVar& v)
{
    if (v.typeName.empty()) return nullptr;
    return ResolveReference(v.parent, v.typeModule, v.typeName);
}

// Module-level form of a variable declared with a type name: `<T><star> <name>`.
void WriteNamedModuleLevel(const CBaseVar& v, CCppOutput& f, const char* star)
{
    std::string id = CppId(v.name), type = CppId(v.typeName);
    if (v.exported) {
        f.Hdr("extern %s%s%s %s", v.TypeQualifierCpp(true).c_str(), type.c_str(), star, id.c_str());
        f.Cpp("%s%s%s %s::%s", v.TypeQualifierCpp(false).c_str(), type.c_str(), star,
              v.OwnerModuleCpp().c_str(), id.c_str());
    } else {
        f.Cpp("%s%s%s %s", v.TypeQualifierCpp(false).c_str(), type.c_str(), star, id.c_str());
    }
}
// A local pointer or procedure variable starts as NIL, as module-level ones do; so does each
// element of a local array of them (written with its dimensions: "p[2][3]").
const char* NilInit(const CBaseVar& v)
{
    if (!v.parent || !IsProcedureKind(v.parent->kind)) return "";
    return !v.name.empty() && v.name.back() == ']' ? " = {}" : " = 0";
}
}  // namespace

// Module-level form of a variable that shares the type of the first name of its list.
void WriteListShared(const CBaseVar& v, CCppOutput& f, const char* init)
{
    std::string id = CppId(v.name), first = CppId(v.listFirst);
    if (v.exported) {
        f.Hdr("extern decltype(%s) %s", first.c_str(), id.c_str());
        f.Cpp("decltype(%s) %s::%s", first.c_str(), v.OwnerModuleCpp().c_str(), id.c_str());
    } else {
        f.Cpp("decltype(%s) %s%s", first.c_str(), id.c_str(), init);
    }
}

// ---- RECORD ----

CRecordVar::CRecordVar(CBaseName* parent) : CBaseVar(kindRecordVar, parent) {}
CRecordVar::~CRecordVar() = default;

CBaseName* CRecordVar::FindName(const std::string& id)
{
    CBaseName* t = NamedType(*this);
    if (t && t->kind == kindRecordType) return t->FindName(id);
    return type ? type->FindName(id) : nullptr;
}

void CRecordVar::AddName(std::unique_ptr<CBaseName> decl)
{
    if (!type || !IsVarKind(decl->kind)) throw error_Internal("CRecordVar::AddName");
    type->AddName(std::move(decl));
}

void CRecordVar::WriteMembers(CCppOutput& f, bool toHeader, const char* separator)
{
    type->WriteMemberFields(f, toHeader, "", separator);
}

void CRecordVar::WriteCPP(CCppOutput& f)
{
    if (!typeName.empty()) {
        WriteNamedModuleLevel(*this, f, "");
        return;
    }
    std::string id = CppId(name);
    if (!listFirst.empty()) return WriteListShared(*this, f);
    std::string baseClause;
    if (type->base)
        baseClause = " : " + CppQualifier(type->parent, type->base->qualifier, exported) + CppId(type->base->name);
    if (exported) {
        f.Hdr("struct %s%s%s {\n", kUnnamedPrefix, PlainName().c_str(), baseClause.c_str());
        type->WriteMemberFields(f, true, "\t", ";\n");
        f.Hdr("};\nextern %s%s %s", kUnnamedPrefix, PlainName().c_str(), id.c_str());
        f.Cpp("%s%s %s::%s", kUnnamedPrefix, PlainName().c_str(), OwnerModuleCpp().c_str(), id.c_str());
        return;
    }
    f.Cpp("struct%s {\n", baseClause.c_str());
    type->WriteMemberFields(f, false, "\t", ";\n");
    f.Cpp("} %s", id.c_str());
}

void CRecordVar::WriteCPP_par(CCppOutput& f, bool toHeader)
{
    std::string id = CppId(name);
    if (!typeName.empty()) {
        f.To(toHeader, "%s%s%s %s", TypeQualifierCpp(toHeader).c_str(), CppId(typeName).c_str(),
             isVar ? "*" : "", id.c_str());
        return;
    }
    if (!listFirst.empty()) {
        f.To(toHeader, "decltype(%s) %s", CppId(listFirst).c_str(), id.c_str());
        return;
    }
    f.To(toHeader, "struct {\n\t");
    type->WriteMemberFields(f, toHeader, "", ";\n\t");
    f.To(toHeader, "} %s", id.c_str());
}

void CRecordVar::WriteDFN(CDfnOutput& f)
{
    if (isConst) throw error_Internal("CRecordVar::WriteDFN");
    f.Dfn("%s%s : ", name.c_str(), readOnly ? "-" : "");
    if (DfnNamesType()) {
        f.Dfn("%s", TypeNameDfn().c_str());
        return;
    }
    type->WriteDFN(f);
}

int CRecordVar::CheckType(SLatePos& at)
{
    if (!GetModuleAlias(this).empty() || !type) return errOK;
    return type->CheckLate(at);
}

std::unique_ptr<CBaseVar> CRecordVar::CloneVar(CBaseName* owner) const
{
    auto v = std::make_unique<CRecordVar>(owner);
    CopyVarFields(*v);
    if (type) v->type = To<CRecordType>(type->CloneType(type->parent));
    return v;
}

// ---- POINTER ----

CPointerVar::CPointerVar(CBaseName* parent) : CBaseVar(kindPointerVar, parent) {}
CPointerVar::~CPointerVar() = default;

CBaseName* CPointerVar::Base() const { return type ? type->Base() : nullptr; }

bool CPointerVar::BaseIsArray() const
{
    CBaseName* b = Base();
    return b && b->kind == kindArrayType;
}

bool CPointerVar::BaseIsRecord() const
{
    CBaseName* b = Base();
    return b && (b->kind == kindRecordType || b->kind == kindSpecType);
}

CBaseName* CPointerVar::FindName(const std::string& id)
{
    CBaseName* t = NamedType(*this);
    CBaseName* base = nullptr;
    if (auto* pointerType = As<CPointerType>(t)) base = pointerType->Base();
    else if (Is<CRecordType>(t)) base = t;
    if (!base) base = Base();
    if (base && base->kind == kindSpecType) return FindSpecializedField(this, id);
    return base && base->kind == kindRecordType ? base->FindName(id) : nullptr;
}

void CPointerVar::WriteOpenLengths(CCppOutput& f)
{
    int dim = 0;
    for (auto* t = As<CArrayType>(Base()); t; t = As<CArrayType>(t->elem.get()), ++dim) {
        if (t->length != 0) continue;
        if (exported) {
            f.Hdr(";\nextern int VYK_ARR_%i_%s", dim, PlainName().c_str());
            f.Cpp(";\nint %s::VYK_ARR_%i_%s", OwnerModuleCpp().c_str(), dim, PlainName().c_str());
        } else {
            f.Cpp(";\nint VYK_ARR_%i_%s", dim, PlainName().c_str());
        }
    }
}

// The base declared in place of a pointer variable, under `unnamed`; an array of pointers as
// a pointer type does it (WritePointerBase).
static void WriteUnnamedBase(const CBaseVar& v, CBaseType& base, const std::string& unnamed, CCppOutput& f,
                             bool toHeader)
{
    if (!v.listFirst.empty()) {   // the base of the first name of the list
        f.To(toHeader, "typedef %s%s %s;\n", kUnnamedPrefix, CppId(v.listFirst).c_str(), CppId(unnamed).c_str());
        return;
    }
    if (ElementsArePointers(&base)) return WritePointerBase(base, unnamed, f, toHeader, EBaseStep::whole, false);
    if (auto* record = As<CRecordType>(&base)) record->SysId();
    CNameLoan loan(base, unnamed);
    base.WriteCPP(f, toHeader);
}

void CPointerVar::WriteCPP(CCppOutput& f)
{
    std::string id = CppId(name);
    if (isConst) {
        // NIL: a null pointer that converts to every pointer type where it is used by name.
        if (exported) {
            f.Hdr("extern void* %s", id.c_str());
            f.Cpp("void* %s::%s = 0", OwnerModuleCpp().c_str(), id.c_str());
        } else {
            f.Cpp("void* %s = 0", id.c_str());
        }
        return;
    }
    if (!typeName.empty() || (type && type->baseRef)) {
        if (exported) {
            f.Hdr("extern %s* %s", PointedCpp(true).c_str(), id.c_str());
            f.Cpp("%s* %s::%s", PointedCpp(false).c_str(), OwnerModuleCpp().c_str(), id.c_str());
        } else {
            f.Cpp("%s* %s%s", PointedCpp(false).c_str(), id.c_str(), NilInit(*this));
        }
    } else {
        CBaseType* base = type ? type->anonBase.get() : nullptr;
        if (!base) throw error_Internal("CPointerVar::WriteCPP");
        std::string unnamed = kUnnamedPrefix + PlainName();
        WriteUnnamedBase(*this, *base, unnamed, f, exported);
        if (exported) {
            f.Hdr("extern %s* %s", unnamed.c_str(), id.c_str());
            f.Cpp("%s* %s::%s", unnamed.c_str(), OwnerModuleCpp().c_str(), id.c_str());
        } else {
            f.Cpp("%s* %s%s", unnamed.c_str(), id.c_str(), NilInit(*this));
        }
    }
    WriteOpenLengths(f);
}

void CPointerVar::WriteCPP_par(CCppOutput& f, bool toHeader)
{
    std::string id = CppId(name);
    if (!typeName.empty() || (type && type->baseRef)) {
        f.To(toHeader, "%s* %s%s", PointedCpp(toHeader).c_str(), isVar ? "&" : "", id.c_str());
        return;
    }
    CBaseType* base = type ? type->anonBase.get() : nullptr;
    if (!base) throw error_Internal("CPointerVar::WriteCPP_par");
    std::string unnamed = kUnnamedPrefix + PlainName();
    WriteUnnamedBase(*this, *base, unnamed, f, toHeader);
    f.To(toHeader, "%s* %s%s", unnamed.c_str(), isVar ? "&" : "", id.c_str());
}

void CPointerVar::WriteDFN(CDfnOutput& f)
{
    if (isConst) {
        f.Dfn("%s = NIL", name.c_str());
        return;
    }
    f.Dfn("%s%s : ", name.c_str(), readOnly ? "-" : "");
    if (DfnNamesType()) {
        f.Dfn("%s%s", typeIsPointer ? "" : "POINTER TO ", TypeNameDfn().c_str());
        return;
    }
    type->WriteDFN(f);
}

int CPointerVar::CheckType(SLatePos& at)
{
    if (!type || type->declared) return errOK;
    if (type->anonBase) return type->anonBase->CheckLate(at);
    CBaseName* decl = GetGlobalName(type->parent, type->baseRef->qualifier, type->baseRef->name);
    CBaseName* base = decl ? ResolveType(decl) : nullptr;
    int err = errOK;
    if (!decl) err = errUndeclaredIdent;
    else if (!base) err = errPointerBaseKind;
    else if (base->kind == kindArrayType || base->kind == kindRecordType)
        err = To<CBaseType>(base)->CheckLate(at);
    else if (base->kind != kindSpecType && base->kind != kindCommonType)
        err = errPointerBaseKind;
    // The position belongs to the buffer that declared the type; only this module's is still read.
    bool ownType = GetModuleAlias(type.get()).empty();
    if (err && ownType && type->baseModule && (err == errUndeclaredIdent || err == errPointerBaseKind))
        at = SLatePos{type->baseModule, type->basePos};
    return err;
}

std::unique_ptr<CBaseVar> CPointerVar::CloneVar(CBaseName* owner) const
{
    auto v = std::make_unique<CPointerVar>(owner);
    CopyVarFields(*v);
    v->typeIsPointer = typeIsPointer;
    if (type) v->type = To<CPointerType>(type->CloneType(type->parent));
    return v;
}

std::unique_ptr<CBaseVar> CPointerVar::CreateConst(CBaseName* owner) const
{
    std::unique_ptr<CBaseVar> v = CloneVar(owner);
    v->isConst = true;
    return v;
}

std::string CPointerVar::ConstCppText() const { return "0"; }

std::string CPointerVar::PointedCpp(bool inHeader) const
{
    if (!typeName.empty()) return TypeQualifierCpp(inHeader) + CppId(typeName);
    return CppQualifier(type->parent, type->baseRef->qualifier, inHeader) + CppId(type->baseRef->name);
}

// ---- PROCEDURE ----

CProcedureVar::CProcedureVar(CBaseName* parent) : CBaseVar(kindProcedureVar, parent) {}
CProcedureVar::~CProcedureVar() = default;

int CProcedureVar::CheckType(SLatePos& at) { return type ? type->CheckLate(at) : errOK; }

CFormalPars* CProcedureVar::Pars() const
{
    CBaseName* t = NamedType(*this);
    if (auto* procType = As<CProcedureType>(t)) return procType->pars.get();
    return type ? type->pars.get() : nullptr;
}

void CProcedureVar::WriteAnonymous(CCppOutput& f, bool toHeader, const std::string& declName)
{
    f.To(toHeader, "%s (*%s) (", type->pars->ResultCpp(toHeader).c_str(), declName.c_str());
    type->pars->WriteParams(f, toHeader);
    f.To(toHeader, ")");
}

void CProcedureVar::WriteCPP(CCppOutput& f)
{
    if (!typeName.empty()) {
        WriteNamedModuleLevel(*this, f, "");
        f.Cpp("%s", NilInit(*this));
        return;
    }
    std::string id = CppId(name);
    if (exported) {
        f.Hdr("extern ");
        WriteAnonymous(f, true, id);
        WriteAnonymous(f, false, OwnerModuleCpp() + "::" + id);
    } else {
        WriteAnonymous(f, false, id);
        f.Cpp("%s", NilInit(*this));
    }
}

void CProcedureVar::WriteCPP_par(CCppOutput& f, bool toHeader)
{
    std::string id = CppId(name);
    if (!typeName.empty()) {
        f.To(toHeader, "%s%s %s%s", TypeQualifierCpp(toHeader).c_str(), CppId(typeName).c_str(),
             isVar ? "&" : "", id.c_str());
        return;
    }
    WriteAnonymous(f, toHeader, (isVar ? "&" : "") + id);
}

void CProcedureVar::WriteDFN(CDfnOutput& f)
{
    if (isConst) throw error_Internal("CProcedureVar::WriteDFN");
    f.Dfn("%s%s : ", name.c_str(), readOnly ? "-" : "");
    if (DfnNamesType()) {
        f.Dfn("%s", TypeNameDfn().c_str());
        return;
    }
    type->WriteDFN(f);
}

std::unique_ptr<CBaseVar> CProcedureVar::CloneVar(CBaseName* owner) const
{
    auto v = std::make_unique<CProcedureVar>(owner);
    CopyVarFields(*v);
    if (type) v->type = To<CProcedureType>(type->CloneType(type->parent));
    return v;
}
