// Types: parsing from the token stream, synonym resolution, C++ typedefs and definition text.
// The type parser is called by TYPE and VAR sections, record fields and formal parameters;
// the section writers in Sections.cpp call WriteCPP/WriteForward/WriteStructBody in file order.
#include "Types.h"

#include <climits>
#include <unordered_set>
#include <vector>

#include "CppIdent.h"
#include "front/Diagnostics.h"
#include "FormalPars.h"
#include "emit/Output.h"
#include "RecordType.h"
#include "StructVars.h"
#include "Vars.h"
#include "code/Expr.h"
#include "decl/CommonType.h"

int CNestingGuard::depth = 0;

namespace {
// Longest synonym chain followed before giving up (a chain can only grow by declaration).
constexpr int kMaxSynonymChain = 100000;

EKind BasicWordKind(int symbol)
{
    switch (symbol) {
    case symSET: return kindSetVar;
    case symCHAR: return kindCharVar;
    case symREAL: return kindRealVar;
    case symBOOLEAN: return kindBoolVar;
    case symINTEGER: return kindIntegerVar;
    case symLONGINT: return kindLongintVar;
    case symLONGREAL: return kindLongrealVar;
    case symSHORTINT: return kindShortintVar;
    default: return kindNone;
    }
}

// Type kind -> value kind of the variables it makes, for the basic types.
EKind BasicTypeValueKind(int kind)
{
    switch (kind) {
    case kindSetType: return kindSetVar;
    case kindLongrealType: return kindLongrealVar;
    case kindRealType: return kindRealVar;
    case kindLongintType: return kindLongintVar;
    case kindIntegerType: return kindIntegerVar;
    case kindShortintType: return kindShortintVar;
    case kindCharType: return kindCharVar;
    case kindBooleanType: return kindBoolVar;
    case kindPtrType: return kindPtrVar;
    default: return kindNone;
    }
}
}  // namespace

const char* BasicCppName(EKind valueKind)
{
    switch (valueKind) {
    case kindSetVar: return "int";
    case kindLongrealVar: return "long double";
    case kindRealVar: return "double";
    case kindLongintVar: return "long";
    case kindIntegerVar: return "int";
    case kindShortintVar: return "short";
    case kindCharVar: return "char";
    case kindBoolVar: return "bool";
    case kindPtrVar: return "void*";
    default: return "";
    }
}

const char* BasicDfnWord(EKind valueKind)
{
    switch (valueKind) {
    case kindSetVar: return "SET";
    case kindLongrealVar: return "LONGREAL";
    case kindRealVar: return "REAL";
    case kindLongintVar: return "LONGINT";
    case kindIntegerVar: return "INTEGER";
    case kindShortintVar: return "SHORTINT";
    case kindCharVar: return "CHAR";
    case kindBoolVar: return "BOOLEAN";
    default: return "";
    }
}

bool IsBasicValueKind(EKind valueKind)
{
    return valueKind == kindSetVar || (valueKind >= kindLongrealVar && valueKind <= kindBoolVar);
}

std::string WrittenModule(CBaseName* scope, const std::string& alias)
{
    CBaseName* home = scope ? GetOwningModule(scope) : nullptr;
    if (!home || home->kind != kindDfnModule) return alias;
    if (alias.empty()) return home->name;
    auto* import = As<CImportName>(FindUnqualified(scope, alias));
    return import ? import->moduleName : alias;
}

std::string CppQualifier(CBaseName* scope, const std::string& alias, bool inHeader)
{
    // A name read in an imported module's definition (the dimensions of its array types that
    // another module's array type took over) is written with the module that declared it.
    CBaseName* home = scope ? GetOwningModule(scope) : nullptr;
    if (home && home->kind == kindDfnModule) return CppId(WrittenModule(scope, alias)) + "::";
    if (alias.empty()) return std::string();
    std::string module = alias;
    if (inHeader) {
        if (auto* import = As<CImportName>(FindUnqualified(scope, alias))) module = import->moduleName;
    }
    return CppId(module) + "::";
}

std::string HiddenNamespaceCpp(const CBaseName* decl)
{
    if (IsNamedLikeItsModule(decl)) return "namespace " + CppId(decl->name) + " {\n";
    return "namespace {\n";
}

// ---- CQualident ----

std::string CQualident::DfnText() const
{
    if (name.empty() || IsBasicValueKind(valueKind)) return BasicDfnWord(valueKind);
    return qualifier.empty() ? name : qualifier + "." + name;
}

std::string CQualident::CppText(CBaseName* scope, bool inHeader) const
{
    if (name.empty() || IsBasicValueKind(valueKind)) return BasicCppName(valueKind);
    std::string text = CppQualifier(scope, qualifier, inHeader) + CppId(name);
    if (valueKind == kindPointerVar) text += "*";
    return text;
}

// Qualident = ident ["." ident] (the qualifier an import alias) | basic type word.
int ReadTypeReference(CLexBuf& lb, CBaseName* scope, CQualident& ref)
{
    int code = 0;
    std::string text;
    if (!lb.NextSymbol(code, text)) return errIdentExpected;
    if (EKind vk = BasicWordKind(code)) {
        ref.valueKind = vk;
        return errOK;
    }
    if (code != symIdent) return errIdentExpected;
    ref.name = text;
    if (lb.Accept(symPeriod)) {
        CBaseName* entry = FindUnqualified(scope, ref.name);
        if (!entry) return errUndeclaredIdent;
        if (entry->kind != kindImport) return errTypeStart;
        if (int err = lb.ExpectIdent(text, errIdentExpected)) return err;
        ref.qualifier = ref.name;
        ref.name = text;
    }
    CBaseName* decl = GetGlobalName(scope, ref.qualifier, ref.name);
    if (!decl) return errUndeclaredIdent;
    if (!IsTypeKind(decl->kind)) return errNotAType;
    ref.valueKind = decl->GetValueKind();
    return errOK;
}

int ReadQualifiedName(CLexBuf& lb, CBaseName* scope, std::string& qualifier, std::string& name)
{
    std::string text;
    if (int err = lb.ExpectIdent(text, errIdentExpected)) return err;
    qualifier.clear();
    name = text;
    if (!lb.Accept(symPeriod)) return errOK;
    if (!FindUnqualified(scope, name)) return errUndeclaredIdent;
    if (int err = lb.ExpectIdent(text, errIdentExpected)) return err;
    qualifier = name;
    name = text;
    return errOK;
}

// ---- synonyms ----

int ResolveSynonyms(CBaseName* decl, bool exportCheck, CBaseName*& result)
{
    result = nullptr;
    for (int step = 0; decl; ++step) {
        if (step > kMaxSynonymChain) return errUndeclaredIdent;
        if (!IsTypeKind(decl->kind)) return errNotAType;
        if (exportCheck && !decl->exported && GetModuleAlias(decl).empty() && !decl->name.empty())
            return errSynonymsNotTogether;
        auto* q = As<CQualidentType>(decl);
        if (!q) {
            result = decl;
            return errOK;
        }
        if (!q->hasRef) return errUndeclaredIdent;
        if (q->ref.name.empty()) {
            result = decl;   // a basic word written as a reference
            return errOK;
        }
        decl = GetGlobalName(q->parent, q->ref.qualifier, q->ref.name);
    }
    return errUndeclaredIdent;
}

CBaseName* ResolveType(CBaseName* decl)
{
    CBaseName* result = nullptr;
    return ResolveSynonyms(decl, false, result) == errOK ? result : nullptr;
}

CBaseName* ResolveReference(CBaseName* scope, const std::string& qualifier, const std::string& name)
{
    CBaseName* decl = GetGlobalName(scope, qualifier, name);
    return decl ? ResolveType(decl) : nullptr;
}

bool IsExtensionOf(CBaseName* record, const std::string& alias, const std::string& name)
{
    CBaseName* r = ResolveType(record);
    for (int step = 0; Is<CRecordType>(r) && step <= kMaxSynonymChain; ++step) {
        if (NameMatches(r, alias, name)) return true;
        r = To<CRecordType>(r)->BaseRecord();
    }
    return false;
}

bool IsLocalScope(CBaseName* owner)
{
    for (CBaseName* s = owner; s; s = s->parent) {
        if (s->kind == kindModule || s->kind == kindDfnModule || s->kind == kindSystemModule)
            return false;
        if (IsProcedureKind(s->kind)) return true;
    }
    return false;
}

// ---- the type parser ----

std::unique_ptr<CBaseType> MakeBasicType(int symbol, CBaseName* parent)
{
    switch (symbol) {
    case symSET: return std::make_unique<CSetType>(parent);
    case symCHAR: return std::make_unique<CCharType>(parent);
    case symREAL: return std::make_unique<CRealType>(parent);
    case symBOOLEAN: return std::make_unique<CBooleanType>(parent);
    case symINTEGER: return std::make_unique<CIntegerType>(parent);
    case symLONGINT: return std::make_unique<CLongintType>(parent);
    case symLONGREAL: return std::make_unique<CLongrealType>(parent);
    case symSHORTINT: return std::make_unique<CShortintType>(parent);
    default: return nullptr;
    }
}

// type = qualident | basic word | ArrayType | RecordType | PointerType | ProcedureType.
// A common type (CASE) and a specialization (qualident "<" ... ">") belong to the common types.
int ParseType(CLexBuf& lb, CBaseName* scope, std::unique_ptr<CBaseType>& type)
{
    CNestingGuard guard;
    SLexPos pos = lb.SavePos();
    int code = 0;
    if (!lb.NextSymbol(code) || guard.TooDeep()) return errTypeStart;
    if ((type = MakeBasicType(code, scope))) return errOK;
    switch (code) {
    case symIdent:
        lb.RestorePos(pos);
        type = std::make_unique<CQualidentType>(scope);
        break;
    case symARRAY: type = std::make_unique<CArrayType>(scope); break;
    case symRECORD: type = std::make_unique<CRecordType>(scope); break;
    case symPOINTER: type = std::make_unique<CPointerType>(scope); break;
    case symPROCEDURE: type = std::make_unique<CProcedureType>(scope); break;
    case symCASE: type = std::make_unique<CCommonType>(scope); break;
    default: return errTypeStart;
    }
    if (int err = type->Init(lb)) return err;
    return code == symIdent ? ReadSpecializedType(lb, scope, type) : errOK;
}

// ---- basic types ----

EKind CBasicType::GetValueKind() const { return BasicTypeValueKind(kind); }

void CBasicType::WriteDFN(CDfnOutput& f) { f.Dfn("%s", BasicDfnWord(GetValueKind())); }

std::unique_ptr<CBaseType> CBasicType::CloneType(CBaseName* newParent) const
{
    auto t = std::make_unique<CBasicType>(kind, newParent);
    t->name = name;
    t->exported = exported;
    return t;
}

std::unique_ptr<CBaseVar> CBasicType::CreateVar(CBaseName* owner) const
{
    return MakeScalarVar(GetValueKind(), owner);
}

void CBasicType::WriteCPP(CCppOutput& f, bool toHeader)
{
    f.To(toHeader, "typedef %s %s;\n", BasicCppName(GetValueKind()), CppId(name).c_str());
}

void CPtrType::WriteDFN(CDfnOutput&) { throw error_Internal("CPtrType::WriteDFN"); }

void CPtrType::WriteCPP(CCppOutput& f, bool toHeader)
{
    f.To(toHeader, "/* PTR TYPE %s */", name.c_str());
    f.To(toHeader, "typedef void* %s;\n", CppId(name).c_str());
}

// ---- synonyms (CQualidentType) ----

int CQualidentType::Init(CLexBuf& lb) { return ReadTypeReference(lb, parent, ref); }

CBaseName* CQualidentType::Target() const
{
    if (!hasRef) return nullptr;
    if (ref.name.empty()) return nullptr;
    return ResolveReference(parent, ref.qualifier, ref.name);
}

EKind CQualidentType::GetValueKind() const
{
    if (hasRef && ref.name.empty()) return ref.valueKind;
    CBaseName* t = Target();
    return t ? t->GetValueKind() : kindNone;
}

void CQualidentType::WriteDFN(CDfnOutput& f)
{
    if (!hasRef) {
        f.Dfn("BYTE");
        return;
    }
    f.Dfn("%s", ref.DfnText().c_str());
}

std::unique_ptr<CBaseType> CQualidentType::CloneType(CBaseName* newParent) const
{
    auto t = std::make_unique<CQualidentType>(newParent);
    t->name = name;
    t->exported = exported;
    t->ref = ref;
    t->hasRef = hasRef;
    return t;
}

std::unique_ptr<CBaseVar> CQualidentType::CreateVar(CBaseName* owner) const
{
    if (hasRef && ref.name.empty()) return MakeScalarVar(ref.valueKind, owner);
    auto* t = As<CBaseType>(Target());
    if (!t) throw error_Internal("CQualidentType::CreateVar");
    std::unique_ptr<CBaseVar> v = t->CreateVar(owner);
    v->typeName = ref.name;
    v->typeModule = ref.qualifier;
    // A type of an imported module made a variable of this one (the element of an imported array
    // type): its name is qualified with the real module, which every including file knows.
    CBaseName* home = GetOwningModule(const_cast<CQualidentType*>(this));
    if (owner && home != GetOwningModule(owner) && home->kind != kindModule) {
        CBaseName* entry = ref.qualifier.empty() ? nullptr : FindUnqualified(parent, ref.qualifier);
        v->typeModule = !entry ? home->name
                      : Is<CImportName>(entry) ? To<CImportName>(entry)->moduleName : ref.qualifier;
    }
    return v;
}

void CQualidentType::WriteCPP(CCppOutput& f, bool toHeader)
{
    if (!hasRef) {
        f.To(toHeader, "%s", CppId(name).c_str());
        return;
    }
    std::string target = ref.name.empty() ? std::string(BasicCppName(ref.valueKind))
                                          : CppQualifier(parent, ref.qualifier, toHeader) + CppId(ref.name);
    f.To(toHeader, "typedef %s %s;\n", target.c_str(), CppId(name).c_str());
}

int CQualidentType::CheckLate(SLatePos& at)
{
    auto* t = As<CBaseType>(Target());
    if (t && t->kind != kindQualidentType && t->kind != kindPointerType) return t->CheckLate(at);
    return errOK;
}

// ---- ARRAY ----

// After ARRAY: [length {"," length}] OF type. The dimensions become a chain of CArrayType.
int CArrayType::Init(CLexBuf& lb)
{
    if (CNestingGuard::Depth() >= kMaxNesting) return errTypeStart;
    std::vector<int> lengths;
    int code = 0;
    SLexPos pos = lb.SavePos();
    if (lb.NextSymbol(code) && code == symOF) {
        lengths.push_back(0);
    } else {
        for (;;) {
            lb.RestorePos(pos);
            std::unique_ptr<CBaseVar> len;
            if (int err = ReadConstExpr(lb, parent, len)) {
                if (err == errConstOverflow || err == errConstOutOfRange) return err;
                if (err != errConstExpected && err != errDivisionByZero && err != errSetElementRange) {
                    lb.RestorePos(pos);
                    if (int err = lb.Expect(symOF, errOfMissing)) return err;
                    lengths.push_back(0);
                    break;
                }
                return errPositiveIntConstExpected;
            }
            if (!IsIntegerVarKind(len->kind) || len->GetIntValue() <= 0) return errPositiveIntConstExpected;
            if (len->GetIntValue() > INT_MAX) return errConstOutOfRange;   // a length is a C++ int
            lengths.push_back(int(len->GetIntValue()));
            if (CNestingGuard::Depth() + int(lengths.size()) > kMaxNesting) return errTypeStart;
            if (!lb.NextSymbol(code)) return errOfMissing;
            if (code == symOF) break;
            if (code != symComma) return errOfMissing;
            pos = lb.SavePos();
        }
    }
    std::unique_ptr<CBaseType> element;
    if (int err = ParseType(lb, parent, element)) return err;
    std::unique_ptr<CQualident> named = ExpandNamedArray(element);
    // Open dimensions may only follow open dimensions (ARRAY OF ARRAY OF CHAR).
    if (auto* inner = As<CArrayType>(element.get()); lengths.back() != 0 && inner && inner->length == 0)
        return errOpenArrayNotAllowed;
    // Build the chain from the innermost dimension outwards.
    for (size_t i = lengths.size() - 1; i > 0; --i) {
        auto dim = std::make_unique<CArrayType>(parent);
        dim->length = lengths[i];
        dim->elem = std::move(element);
        element = std::move(dim);
    }
    length = lengths[0];
    elem = std::move(element);
    if (named) LastDimension(lengths.size())->elemRef = std::move(named);
    return errOK;
}

// An element type that names an array type (through synonyms too) is replaced by a copy of
// that array's dimension chain; the name is kept for the definition file.
std::unique_ptr<CQualident> CArrayType::ExpandNamedArray(std::unique_ptr<CBaseType>& element)
{
    auto* ref = As<CQualidentType>(element.get());
    if (!ref) return nullptr;
    auto* target = As<CArrayType>(ref->Target());
    if (!target || !ref->hasRef) return nullptr;
    auto named = std::make_unique<CQualident>(ref->ref);
    element = target->CloneType(target->parent);
    element->name.clear();
    element->exported = false;
    return named;
}

// The dimension object `n` steps into the chain (1 is this one).
CArrayType* CArrayType::LastDimension(size_t n)
{
    CArrayType* a = this;
    for (size_t i = 1; i < n; ++i) a = To<CArrayType>(a->elem.get());
    return a;
}

CBaseType* CArrayType::Innermost() const
{
    CBaseType* t = elem.get();
    while (auto* a = As<CArrayType>(t)) t = a->elem.get();
    return t;
}

int CArrayType::Dimensions() const
{
    int n = 1;
    for (auto* a = As<CArrayType>(elem.get()); a; a = As<CArrayType>(a->elem.get())) ++n;
    return n;
}

CBaseType* CArrayType::ElementAfter(int n) const
{
    const CArrayType* a = this;
    for (int i = 1; i < n; ++i) {
        a = As<CArrayType>(a->elem.get());
        if (!a) return nullptr;
    }
    return a->elem.get();
}

void CArrayType::WriteDFN(CDfnOutput& f)
{
    if (length == 0) {
        f.Dfn("ARRAY OF ");
        if (elemRef) f.Dfn("%s", elemRef->DfnText().c_str());
        else elem->WriteDFN(f);
        return;
    }
    f.Dfn("ARRAY");
    const CArrayType* a = this;
    const char* lead = " ";
    for (;;) {
        f.Dfn("%s%i", lead, a->length);
        lead = ",";
        const auto* next = a->elemRef ? nullptr : As<CArrayType>(a->elem.get());
        if (!next || next->length == 0) break;
        a = next;
    }
    f.Dfn(" OF ");
    if (a->elemRef) f.Dfn("%s", a->elemRef->DfnText().c_str());
    else a->elem->WriteDFN(f);
}

std::unique_ptr<CBaseType> CArrayType::CloneType(CBaseName* newParent) const
{
    auto t = std::make_unique<CArrayType>(newParent);
    t->name = name;
    t->exported = exported;
    t->length = length;
    if (elem) t->elem = elem->CloneType(elem->parent);
    if (elemRef) t->elemRef = std::make_unique<CQualident>(*elemRef);
    return t;
}

std::unique_ptr<CBaseVar> CArrayType::CreateVar(CBaseName* owner) const
{
    auto v = std::make_unique<CArrayVar>(owner);
    v->type = To<CArrayType>(CloneType(parent));
    return v;
}

const CArrayType* CArrayType::NamedElementDimension() const
{
    for (const CArrayType* a = this; a; a = As<CArrayType>(a->elem.get()))
        if (a->elemRef) return a;
    return nullptr;
}

std::string CArrayType::NamedElementCpp(bool inHeader) const
{
    const CArrayType* a = NamedElementDimension();
    if (!a) return std::string();
    return CppQualifier(a->parent, a->elemRef->qualifier, inHeader) + CppId(a->elemRef->name);
}

bool CArrayType::InnermostNamedByElement() const
{
    const CBaseType* inner = Innermost();
    return inner && inner->name.empty() && inner->kind != kindQualidentType &&
           !IsBasicValueKind(inner->GetValueKind()) && NamedElementDimension();
}

// An array whose element type names an array type stands for the same C++ type as that name
// (its own copy of the innermost type would be a second struct, or lose the module's names).
void CArrayType::WriteCPP(CCppOutput& f, bool toHeader)
{
    if (NamedElementDimension()) {
        f.To(toHeader, "typedef %s %s;\n", NamedElementCpp(toHeader).c_str(), CppId(name).c_str());
        return;
    }
    CBaseType* inner = Innermost();
    if (auto* record = As<CRecordType>(inner)) record->SysId();
    CNameLoan loan(*inner, name);
    inner->WriteCPP(f, toHeader);
}

bool CArrayType::HasStructBody() const { return !NamedElementDimension() && Innermost()->HasStructBody(); }

void CArrayType::WriteForward(CCppOutput& f, bool toHeader)
{
    if (NamedElementDimension()) return WriteCPP(f, toHeader);
    CBaseType* inner = Innermost();
    if (auto* record = As<CRecordType>(inner)) record->SysId();
    CNameLoan loan(*inner, name);
    inner->WriteForward(f, toHeader);
}

void CArrayType::WriteStructBody(CCppOutput& f, bool toHeader)
{
    CBaseType* inner = Innermost();
    CNameLoan loan(*inner, name);
    inner->WriteStructBody(f, toHeader);
}

int CArrayType::CheckLate(SLatePos& at)
{
    CBaseType* inner = Innermost();
    if (inner && (inner->kind == kindRecordType || inner->kind == kindPointerType ||
                  inner->kind == kindQualidentType))
        return inner->CheckLate(at);
    return errOK;
}

int PlaceLateError(CLexBuf& lb, CBaseName* scope, const SLatePos& at, int err)
{
    if (err && at.module && at.module == GetOwningModule(scope)) lb.RestorePos(at.pos);
    return err;
}

// ---- POINTER ----

// After POINTER: TO (qualident | ArrayType | RecordType).
int CPointerType::Init(CLexBuf& lb)
{
    baseModule = GetOwningModule(parent);
    int code = 0;
    if (int err = lb.Expect(symTO, errToMissing)) return err;
    SLexPos pos = lb.SavePos();
    if (!lb.NextSymbol(code)) return errPointerBaseKind;
    if (code == symCASE || code == symRECORD) {
        int err = ReadPointerCommonBase(lb, pos, parent, anonBase);
        if (err != sigNoMoreDecl) return err;
    }
    if (code == symARRAY || code == symRECORD) {
        basePos = lb.SavePos();
        lb.RestorePos(pos);
        return ParseType(lb, parent, anonBase);
    }
    if (code != symIdent) return errPointerBaseKind;
    lb.RestorePos(pos);
    baseRef = std::make_unique<CQualident>();
    if (int err = ReadQualifiedName(lb, parent, baseRef->qualifier, baseRef->name)) return err;
    basePos = lb.SavePos();   // a late error about the base is reported at its name
    int specErr = ReadPointerSpecBase(lb, parent, *baseRef, anonBase);
    if (specErr != sigNoMoreDecl) {
        if (!specErr) baseRef.reset();
        return specErr;
    }
    CBaseName* decl = GetGlobalName(parent, baseRef->qualifier, baseRef->name);
    if (!decl) {
        unresolved = true;
        return errOK;
    }
    CBaseName* base = nullptr;
    if (int err = ResolveSynonyms(decl, false, base)) return err == errNotAType ? errPointerBaseKind : err;
    baseRef->valueKind = decl->GetValueKind();
    if (base->kind == kindArrayType || base->kind == kindRecordType || base->kind == kindSpecType ||
        base->kind == kindCommonType)
        return errOK;
    return errPointerBaseKind;
}

CBaseName* CPointerType::Base() const
{
    if (declared) return declared->Base();
    if (anonBase) return anonBase.get();
    if (!baseRef) return nullptr;
    return ResolveReference(parent, baseRef->qualifier, baseRef->name);
}

CRecordType* CPointerType::BaseRecord() const
{
    CBaseName* b = Base();
    return As<CRecordType>(b);
}

int CPointerType::CheckBase(CBaseName* base, SLatePos& at)
{
    switch (base->kind) {
    case kindSpecType:
    case kindCommonType: return errOK;
    case kindArrayType:
    case kindRecordType: return To<CBaseType>(base)->CheckLate(at);
    default: return errPointerBaseKind;
    }
}

// A pointer to an array of pointers is written as a pointer to the C++ type of those elements
// (WritePointerBase); when they lead back to the same array, that C++ type would contain itself.
static bool ElementsPointBack(CBaseName* base)
{
    std::unordered_set<const CBaseName*> seen;
    while (base && ElementsArePointers(base) && seen.insert(base).second) {
        CBaseName* inner = To<CArrayType>(base)->Innermost();
        for (int step = 0; inner && !Is<CPointerType>(inner) && step <= kMaxSynonymChain; ++step) {
            inner = ResolveType(inner);   // a pointer type's name, or a named array type of them
            if (auto* array = As<CArrayType>(inner)) inner = array->Innermost();
        }
        auto* pointer = As<CPointerType>(inner);
        base = pointer ? pointer->Base() : nullptr;
    }
    return base && seen.count(base);
}

int CPointerType::CheckLate(SLatePos& at)
{
    if (declared) return errOK;   // the declared type is checked itself
    int err = errOK;
    CBaseName* decl = nullptr;
    if (anonBase) {
        err = anonBase->CheckLate(at);
    } else if (unresolved) {
        decl = GetGlobalName(parent, baseRef->qualifier, baseRef->name);
        CBaseName* base = decl ? ResolveType(decl) : nullptr;
        err = !decl ? errUndeclaredIdent : !base ? errPointerBaseKind : CheckBase(base, at);
        if (err && baseModule) at = SLatePos{baseModule, basePos};
    }
    if (err) return err;
    if (decl) baseRef->valueKind = decl->GetValueKind();
    if (ElementsPointBack(Base())) {
        if (baseModule) at = SLatePos{baseModule, basePos};
        return errPointerBaseKind;
    }
    return errOK;
}

void CPointerType::WriteDFN(CDfnOutput& f)
{
    if (declared) {
        f.Dfn("%s", declared->name.c_str());
        return;
    }
    f.Dfn("POINTER TO ");
    if (anonBase) {
        anonBase->WriteDFN(f);
        return;
    }
    if (!baseRef->qualifier.empty()) f.Dfn("%s.", baseRef->qualifier.c_str());
    f.Dfn("%s", baseRef->name.c_str());
}

std::unique_ptr<CBaseType> CPointerType::CloneType(CBaseName* newParent) const
{
    auto t = std::make_unique<CPointerType>(newParent);
    t->name = name;
    t->exported = exported;
    if (reading || declared) {
        t->declared = declared ? declared : this;
        t->declared->namedInBase = true;
        return t;
    }
    t->unresolved = unresolved;
    if (baseRef) t->baseRef = std::make_unique<CQualident>(*baseRef);
    if (anonBase) t->anonBase = anonBase->CloneType(newParent);
    t->basePos = basePos;
    t->baseModule = baseModule;
    return t;
}

std::unique_ptr<CBaseVar> CPointerType::CreateVar(CBaseName* owner) const
{
    auto v = std::make_unique<CPointerVar>(owner);
    v->type = To<CPointerType>(CloneType(parent));
    return v;
}

bool ElementsArePointers(CBaseName* base)
{
    // Through named array types: ARRAY n OF A, A an array of pointers.
    for (int step = 0; step <= kMaxSynonymChain; ++step) {
        auto* array = As<CArrayType>(base);
        if (!array) return false;
        CBaseType* inner = array->Innermost();
        if (!inner) return false;
        if (inner->GetValueKind() == kindPointerVar) return true;
        base = Is<CQualidentType>(inner) ? ResolveType(inner) : nullptr;
    }
    return false;
}

std::string PointeeArrayName(const std::string& name) { return "VYK_ELEM_" + name; }

void WritePointerBase(CBaseType& base, const std::string& name, CCppOutput& f, bool toHeader, EBaseStep step,
                      bool alias)
{
    if (auto* record = As<CRecordType>(&base)) record->SysId();
    std::string id = CppId(name);
    if (!ElementsArePointers(&base)) {
        {
            CNameLoan loan(base, name);
            if (step == EBaseStep::body) return base.WriteStructBody(f, toHeader);
            if (step == EBaseStep::forward) base.WriteForward(f, toHeader);
            else base.WriteCPP(f, toHeader);
        }
        if (alias) f.To(toHeader, "typedef %s %s;\n", id.c_str(), id.c_str());
        return;
    }
    std::string declared = PointeeArrayName(name);
    auto* inner = As<CPointerType>(To<CArrayType>(&base)->Innermost());
    if (inner && inner->name.empty() && inner->anonBase) {
        // The elements' own base, without the "typedef X X" that a struct may not repeat.
        WritePointerBase(*inner->anonBase, declared, f, toHeader, step, false);
    } else {
        CNameLoan loan(base, declared);
        if (step == EBaseStep::body) return base.WriteStructBody(f, toHeader);
        if (step == EBaseStep::forward) base.WriteForward(f, toHeader);
        else base.WriteCPP(f, toHeader);
    }
    if (step != EBaseStep::body) f.To(toHeader, "typedef %s* %s;\n", CppId(declared).c_str(), id.c_str());
}

bool CPointerType::HasStructBody() const { return anonBase && anonBase->HasStructBody(); }

void CPointerType::WriteForward(CCppOutput& f, bool toHeader)
{
    if (!HasStructBody()) {
        WriteCPP(f, toHeader);
        return;
    }
    WritePointerBase(*anonBase, name, f, toHeader, EBaseStep::forward);
}

void CPointerType::WriteStructBody(CCppOutput& f, bool toHeader)
{
    WritePointerBase(*anonBase, name, f, toHeader, EBaseStep::body);
}

void CPointerType::WriteCPP(CCppOutput& f, bool toHeader)
{
    if (declared) throw error_Internal("CPointerType::WriteCPP");
    std::string id = CppId(name);
    if (anonBase) {
        WritePointerBase(*anonBase, name, f, toHeader, EBaseStep::whole);
        return;
    }
    std::string target = CppQualifier(parent, baseRef->qualifier, toHeader) + CppId(baseRef->name);
    if (unresolved) {
        // The base was declared after the pointer: declare the type it finally names first.
        CBaseName* base = Base();
        if (!base) throw error_Internal("CPointerType::WriteCPP");
        if (base->kind == kindRecordType || base->kind == kindCommonType) {
            if (GetModuleAlias(base).empty()) f.To(toHeader, "struct %s;\n", CppId(base->name).c_str());
            target = CppQualifier(parent, GetModuleAlias(base), toHeader) + CppId(base->name);
        } else if (base->kind == kindArrayType) {
            To<CBaseType>(base)->WriteForward(f, toHeader);
            target = CppQualifier(parent, GetModuleAlias(base), toHeader) + CppId(base->name);
        } else {
            throw error_Internal("CPointerType::WriteCPP");
        }
    }
    f.To(toHeader, "typedef %s%s %s;\n", target.c_str(), ElementsArePointers(Base()) ? "*" : "", id.c_str());
}

// ---- PROCEDURE types ----

CProcedureType::CProcedureType(CBaseName* parent)
    : CBaseType(kindProcedureType, parent), pars(std::make_unique<CFormalPars>(parent)) {}

CProcedureType::~CProcedureType() = default;

// The variables of a procedure type are procedure variables; a call through one yields the
// result kind of the formal parameters.
EKind CProcedureType::GetValueKind() const { return kindProcedureVar; }

int CProcedureType::Init(CLexBuf& lb)
{
    pars->lateTypeCheck = true;
    return pars->Init(lb);
}

int CProcedureType::CheckLate(SLatePos& at) { return pars->CheckParamTypes(at); }

void CProcedureType::WriteDFN(CDfnOutput& f)
{
    f.Dfn("PROCEDURE (\n\t\t");
    pars->WriteParamsDFN(f, ";\n\t\t");
    f.Dfn(")");
    if (pars->result) f.Dfn(" : %s", pars->result->DfnText().c_str());
}

std::unique_ptr<CBaseType> CProcedureType::CloneType(CBaseName* newParent) const
{
    auto t = std::make_unique<CProcedureType>(newParent);
    t->name = name;
    t->exported = exported;
    t->pars = pars->Clone(newParent);
    return t;
}

std::unique_ptr<CBaseVar> CProcedureType::CreateVar(CBaseName* owner) const
{
    auto v = std::make_unique<CProcedureVar>(owner);
    v->type = To<CProcedureType>(CloneType(parent));
    return v;
}

void CProcedureType::WriteCPP(CCppOutput& f, bool toHeader)
{
    f.To(toHeader, "typedef %s (*%s) (", pars->ResultCpp(toHeader).c_str(), CppId(name).c_str());
    pars->WriteParams(f, toHeader);
    f.To(toHeader, ");\n");
}
