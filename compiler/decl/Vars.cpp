// The scalar variables (BOOLEAN, CHAR, integers, reals, SET, SYSTEM.PTR) and arrays with string
// constants: their C++ declarations, literals and definition-file lines. Constants written here
// read back exactly: reals with 17 significant digits, characters as hexadecimal 0..X, the
// smallest INTEGER as an expression, sets as constructors.
#include "Vars.h"

#include <climits>
#include <cmath>
#include <cstdio>

#include "CppIdent.h"
#include "front/Diagnostics.h"
#include "emit/Output.h"
#include "RecordType.h"
#include "StructVars.h"
#include "Types.h"
#include "code/ExprSet.h"

namespace {
constexpr int kSetBits = 32;
constexpr int64_t kMinInt32 = -2147483647LL - 1;

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...)
{
    char buf[64];
    va_list args;
    va_start(args, format);
    vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    return buf;
}

// A 32-bit value as C++ text; the smallest one as an expression, since its literal would be
// the negation of a number too large for int.
std::string Int32Cpp(int64_t v)
{
    if (v == kMinInt32) return "(-2147483647 - 1)";
    return Format("%lli", static_cast<long long>(v));
}

// A LONGINT value as C++ text: beyond 32 bits the literal is a long of its own.
std::string LongCpp(int64_t v)
{
    if (v >= kMinInt32 && v <= -(kMinInt32 + 1)) return Int32Cpp(v);
    if (v == LONG_MIN) return "(-9223372036854775807L - 1)";
    return Format("%lliL", static_cast<long long>(v));
}

// 17 significant digits read back to the same double; the text stays a floating literal.
std::string RealCpp(double v)
{
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v > 0 ? "HUGE_VAL" : "(-HUGE_VAL)";
    std::string s = Format("%.17g", v);
    if (s.find_first_of(".eE") == std::string::npos) s += ".0";
    return s;
}

// E notation with 17 significant digits (D for LONGREAL, so the kind survives too).
std::string RealDfn(double v, bool longReal)
{
    const char* big = longReal ? "1.0D308 * 10.0D0" : "1.0E308 * 10.0";
    if (std::isnan(v)) return std::string(big) + " - " + big;
    if (std::isinf(v)) return (v > 0 ? "" : "-") + std::string(big);
    std::string s = Format("%.16E", v);
    if (longReal)
        for (char& c : s)
            if (c == 'E') c = 'D';
    return s;
}
}  // namespace

// ---- CBaseVar ----

int CBaseVar::Init(CLexBuf&) { throw error_Internal("CBaseVar::Init"); }

std::unique_ptr<CBaseVar> CBaseVar::CreateConst(CBaseName*) const
{
    throw error_Internal("CBaseVar::CreateConst");
}

int64_t CBaseVar::GetIntValue() const { throw error_Internal("CBaseVar::GetIntValue"); }

void CBaseVar::WriteCPP_ConstValue(CCppOutput& f) { f.Cpp("%s", ConstCppText().c_str()); }

std::string CBaseVar::ConstCppText() const { throw error_Internal("CBaseVar::WriteCPP_ConstValue"); }

template <class TDecls> bool ListedWithOther(const CBaseVar& v, const TDecls& decls)
{
    if (v.listFirst.empty()) return false;
    for (auto& d : decls)
        if (d->name == v.listFirst) return d->exported && d->kind == v.kind;
    return false;
}
template bool ListedWithOther(const CBaseVar&, const std::vector<std::unique_ptr<CBaseName>>&);

template <class TDecls> void WriteListDFN(CDfnOutput& f, CBaseVar& v, const TDecls& decls)
{
    std::string names = v.name + (v.readOnly ? "-" : "");
    for (auto& d : decls) {
        auto* w = As<CBaseVar>(d.get());
        if (w && w->exported && w->listFirst == v.name && !w->isConst) names += ", " + w->name + (w->readOnly ? "-" : "");
    }
    CNameLoan loan(v, names);
    bool readOnly = v.readOnly;
    v.readOnly = false;
    v.WriteDFN(f);
    v.readOnly = readOnly;
}
template void WriteListDFN(CDfnOutput&, CBaseVar&, const std::vector<std::unique_ptr<CBaseName>>&);

void CBaseVar::CopyVarFields(CBaseVar& to) const
{
    to.name = name;
    to.exported = exported;
    to.castMark = castMark;
    to.readOnly = readOnly;
    to.isVar = isVar;
    to.typeModule = typeModule;
    to.typeName = typeName;
    to.listFirst = listFirst;
}

std::string CBaseVar::TypeQualifierCpp(bool inHeader) const
{
    // The source file says "using namespace M", so there a type of M named M itself would be
    // ambiguous with the namespace: it is written ::M::M (fully qualified, since inside M a
    // plain M::M would name the record's constructor).
    if (!inHeader && typeModule.empty() && parent) {
        CBaseName* module = GetOwningModule(parent);
        if (module->kind == kindModule && module->name == typeName) return "::" + CppId(typeName) + "::";
    }
    // A field named like a type that the record's fields use would change the meaning of that
    // name inside the struct: the type is written fully qualified there.
    if (typeModule.empty() && parent && parent->kind == kindRecordType && !IsLocalScope(parent) &&
        parent->FindName(typeName)) {
        CBaseName* module = GetOwningModule(parent);
        if (module->kind == kindModule) return "::" + CppId(module->name) + "::";
    }
    return CppQualifier(parent, typeModule, inHeader);
}

std::string CBaseVar::TypeNameDfn() const
{
    return typeModule.empty() ? typeName : typeModule + "." + typeName;
}

// A type whose definition text declares a record in place: the record itself, or a pointer or
// array type with one as its base or element.
static bool DeclaresRecord(CBaseName* type)
{
    type = type ? ResolveType(type) : nullptr;
    if (Is<CRecordType>(type)) return true;
    if (auto* pointer = As<CPointerType>(type)) return pointer->anonBase && DeclaresRecord(pointer->anonBase.get());
    auto* array = As<CArrayType>(type);
    CBaseType* inner = array ? array->Innermost() : nullptr;
    return inner && !Is<CQualidentType>(inner) && DeclaresRecord(inner);
}

// A hidden type is written in place, unless that would make it look like a record declared in
// place there: importers take two of those for two types, as the module does. Such a type, and
// one that its own base names, goes into the definition file marked hidden and is named.
bool CBaseVar::DfnNamesType() const
{
    if (typeName.empty()) return false;
    if (!typeModule.empty()) return true;
    CBaseName* decl = GetGlobalName(parent, typeModule, typeName);
    if (!decl || decl->exported || GetOwningModule(decl)->kind != kindModule) return true;
    auto* pointer = As<CPointerType>(decl);
    return (pointer && pointer->namedInBase) || DeclaresRecord(decl);
}

std::string CBaseVar::OwnerModuleCpp() const
{
    return CppId(GetOwningModule(const_cast<CBaseVar*>(this))->name);
}

// ---- scalars ----

std::unique_ptr<CScalarVar> MakeScalarVar(int valueKind, CBaseName* parent)
{
    switch (valueKind) {
    case kindSetVar: return std::make_unique<CSetVar>(parent);
    case kindLongrealVar: return std::make_unique<CLongrealVar>(parent);
    case kindRealVar: return std::make_unique<CRealVar>(parent);
    case kindLongintVar: return std::make_unique<CLongintVar>(parent);
    case kindIntegerVar: return std::make_unique<CIntegerVar>(parent);
    case kindShortintVar: return std::make_unique<CShortintVar>(parent);
    case kindCharVar: return std::make_unique<CCharVar>(parent);
    case kindBoolVar: return std::make_unique<CBoolVar>(parent);
    case kindPtrVar: return std::make_unique<CPtrVar>(parent);
    default: return nullptr;
    }
}

const char* CScalarVar::CppTypeName() const { return BasicCppName(kind); }

void CScalarVar::SetIntValue(int64_t v)
{
    switch (kind) {
    case kindShortintVar: intValue = static_cast<int16_t>(static_cast<uint16_t>(v)); break;
    case kindIntegerVar: intValue = static_cast<int32_t>(static_cast<uint32_t>(v)); break;
    case kindLongintVar: intValue = static_cast<long>(static_cast<unsigned long>(v)); break;
    case kindCharVar: intValue = static_cast<int8_t>(static_cast<uint8_t>(v)); break;
    case kindBoolVar: intValue = v != 0; break;
    case kindSetVar: intValue = static_cast<uint32_t>(v); break;
    default: intValue = v; break;
    }
}

int64_t CScalarVar::GetIntValue() const
{
    if (!IsIntegerVarKind(kind)) throw error_Internal("CBaseVar::GetIntValue");
    return intValue;
}

std::string CScalarVar::ConstCppText() const
{
    switch (kind) {
    case kindBoolVar: return intValue ? "true" : "false";
    case kindCharVar:
    case kindShortintVar:
    case kindIntegerVar: return Int32Cpp(intValue);
    case kindLongintVar: return LongCpp(intValue);
    case kindSetVar: return Int32Cpp(static_cast<int32_t>(static_cast<uint32_t>(intValue)));
    case kindRealVar:
    case kindLongrealVar: return RealCpp(realValue);
    default: throw error_Internal("CBaseVar::WriteCPP_ConstValue");
    }
}

std::string CScalarVar::ConstDfnText() const
{
    switch (kind) {
    case kindBoolVar: return intValue ? "TRUE" : "FALSE";
    case kindCharVar: {
        std::string hex = Format("%02X", static_cast<unsigned>(static_cast<uint8_t>(intValue)));
        return (hex[0] >= 'A' ? "0" : "") + hex + "X";
    }
    case kindShortintVar:
    case kindIntegerVar:
    case kindLongintVar:
        if (intValue == kMinInt32) return "-2147483647 - 1";
        if (intValue == LONG_MIN) return "-9223372036854775807 - 1";
        return Format("%lli", static_cast<long long>(intValue));
    case kindRealVar: return RealDfn(realValue, false);
    case kindLongrealVar: return RealDfn(realValue, true);
    case kindPtrVar: throw error_Internal("CPtrVar::WriteDFN");
    default: throw error_Internal("CSetVar::WriteDFN");
    }
}

void CScalarVar::WriteCPP(CCppOutput& f)
{
    std::string id = CppId(name);
    const char* amp = isVar ? "&" : "";
    if (exported) {
        f.Hdr("extern %s %s", CppTypeName(), id.c_str());
        f.Cpp("%s %s::%s%s", CppTypeName(), OwnerModuleCpp().c_str(), amp, id.c_str());
    } else {
        f.Cpp("%s %s%s", CppTypeName(), amp, id.c_str());
    }
    if (isConst) f.Cpp(" = %s", ConstCppText().c_str());
    // a local SYSTEM.PTR starts as NIL, as a local pointer does (an element of an array too)
    else if (kind == kindPtrVar && parent && IsProcedureKind(parent->kind))
        f.Cpp("%s", !name.empty() && name.back() == ']' ? " = {}" : " = 0");
}

void CScalarVar::WriteCPP_par(CCppOutput& f, bool toHeader)
{
    const char* amp = isVar ? "&" : "";
    if (!typeName.empty()) {
        f.To(toHeader, "%s%s %s%s", TypeQualifierCpp(toHeader).c_str(), CppId(typeName).c_str(), amp,
             CppId(name).c_str());
    } else {
        f.To(toHeader, "%s %s%s", CppTypeName(), amp, CppId(name).c_str());
    }
}

void CScalarVar::WriteDFN(CDfnOutput& f)
{
    if (isConst) {
        f.Dfn("%s = %s", name.c_str(), ConstDfnText().c_str());
        return;
    }
    const char* mark = readOnly ? "-" : "";
    if (DfnNamesType()) {
        f.Dfn("%s%s : %s", name.c_str(), mark, TypeNameDfn().c_str());
        return;
    }
    f.Dfn("%s%s : %s", name.c_str(), mark, kind == kindPtrVar ? "BOOLEAN" : BasicDfnWord(kind));
}

std::unique_ptr<CBaseVar> CScalarVar::CloneVar(CBaseName* owner) const
{
    std::unique_ptr<CScalarVar> v = MakeScalarVar(kind, owner);
    CopyVarFields(*v);
    return v;
}

std::unique_ptr<CBaseVar> CScalarVar::CreateConst(CBaseName* owner) const
{
    std::unique_ptr<CScalarVar> v = MakeScalarVar(kind, owner);
    CopyVarFields(*v);
    v->isConst = true;
    v->intValue = intValue;
    v->realValue = realValue;
    return v;
}

// ---- SET ----

CSetVar::CSetVar(CBaseName* p) : CScalarVar(kindSetVar, p) {}
CSetVar::~CSetVar() = default;

std::unique_ptr<CBaseVar> CSetVar::CreateConst(CBaseName* owner) const
{
    if (!elems.empty()) throw error_Internal("CBaseVar::CreateConst");
    return CScalarVar::CreateConst(owner);
}

// {a, b..c}: runs of consecutive members become ranges.
std::string CSetVar::ConstDfnText() const
{
    uint32_t mask = static_cast<uint32_t>(intValue);
    std::string text = "{";
    const char* sep = "";
    for (int i = 0; i < kSetBits;) {
        if (!(mask >> i & 1u)) {
            ++i;
            continue;
        }
        int j = i;
        while (j + 1 < kSetBits && (mask >> (j + 1) & 1u)) ++j;
        text += sep + (j == i ? Format("%i", i) : Format("%i..%i", i, j));
        sep = ", ";
        i = j + 1;
    }
    return text + "}";
}

void CSetVar::WriteCPP_ConstValue(CCppOutput& f)
{
    if (elems.empty()) {
        f.Cpp("%s", ConstCppText().c_str());
        return;
    }
    f.Cpp("(");
    const char* sep = "";
    for (auto& e : elems) {
        f.Cpp("%s", sep);
        e->WriteCPP(f);
        sep = " | ";
    }
    f.Cpp(")");
}

// ---- ARRAY ----

std::string EscapeCppString(const std::string& s)
{
    std::string out;
    for (char c : s) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out;
}

std::string DfnStringLiteral(const std::string& s)
{
    char quote = s.find('"') == std::string::npos ? '"' : '\'';
    return quote + s + quote;
}

CArrayVar::CArrayVar(CBaseName* parent) : CBaseVar(kindArrayVar, parent) {}
CArrayVar::~CArrayVar() = default;

int CArrayVar::Length() const { return type ? type->length : 0; }

void CArrayVar::SetString(const std::string& s)
{
    type = std::make_unique<CArrayType>(parent);
    type->length = static_cast<int>(s.size()) + 1;
    type->elem = std::make_unique<CCharType>(parent);
    text = s;
    hasText = true;
    isConst = true;
}

std::string CArrayVar::DimsText() const
{
    std::string dims;
    for (const CArrayType* t = type.get(); t; t = As<CArrayType>(t->elem.get()))
        dims += "[" + std::to_string(t->length) + "]";
    return dims;
}

// The variable of the innermost element type, declared under `declName` (which carries the
// dimensions). Elements of a named array type are declared with that name: the type was written
// as its element under the array's name.
std::unique_ptr<CBaseVar> CArrayVar::ElementVar(const std::string& declName) const
{
    if (!type) throw error_Internal("CArrayVar::ElementVar");
    std::unique_ptr<CBaseVar> e = type->Innermost()->CreateVar(parent);
    e->name = declName;
    e->exported = exported;
    e->readOnly = readOnly;
    if (e->typeName.empty() && !typeName.empty()) {
        e->typeName = typeName;
        e->typeModule = typeModule;
    } else if (e->typeName.empty() && type->InnermostNamedByElement()) {
        const CArrayType* named = type->NamedElementDimension();
        e->typeName = named->elemRef->name;
        e->typeModule = WrittenModule(named->parent, named->elemRef->qualifier);
    }
    return e;
}

// An element that is itself an array (through a type name) writes its own dimensions after ours.
static void WriteElementField(CBaseVar& e, CCppOutput& f, bool toHeader)
{
    e.isVar = false;
    if (auto* array = As<CArrayVar>(&e)) array->WriteCPP_rec(f, toHeader);
    else e.WriteCPP_par(f, toHeader);
}

void CArrayVar::WriteCPP(CCppOutput& f)
{
    if (!listFirst.empty()) {
        // a local array of pointers starts as NIL
        EKind elem = type->Innermost()->GetValueKind();
        bool pointers = (elem == kindPointerVar || elem == kindPtrVar) && parent && IsProcedureKind(parent->kind);
        return WriteListShared(*this, f, pointers ? " = {}" : "");
    }
    ElementVar(CppId(name) + DimsText())->WriteCPP(f);
    if (hasText) f.Cpp(" = \"%s\"", EscapeCppString(text).c_str());
}

void CArrayVar::WriteCPP_par(CCppOutput& f, bool toHeader)
{
    std::string written = isVar ? CppId(name) : "VYK_ARR_" + name;
    if (Length() != 0) {
        WriteElementField(*ElementVar(written + DimsText()), f, toHeader);
        return;
    }
    std::unique_ptr<CBaseVar> e = ElementVar("*" + written);
    e->isVar = false;
    e->WriteCPP_par(f, toHeader);
    int dims = type->Dimensions();
    for (int i = 0; i < dims; ++i) f.To(toHeader, ", const int VYK_ARR_%i_%s", i, name.c_str());
}

void CArrayVar::WriteCPP_rec(CCppOutput& f, bool toHeader)
{
    if (Length() == 0) throw error_Internal("CArrayVar::WriteCPP_rec");
    if (!listFirst.empty()) {
        f.To(toHeader, "decltype(%s) %s", CppId(listFirst).c_str(), CppId(name).c_str());
        return;
    }
    WriteElementField(*ElementVar(CppId(name) + DimsText()), f, toHeader);
}

std::string CArrayVar::ConstCppText() const
{
    if (!hasText) throw error_Internal("CArrayVar::WriteCPP_ConstValue");
    if (maybeChar && text.size() == 1) {
        if (text[0] == '\'' || text[0] == '\\') return std::string("'\\") + text + "'";
        return "'" + EscapeCppString(text) + "'";
    }
    return "\"" + EscapeCppString(text) + "\"";
}

void CArrayVar::WriteDFN(CDfnOutput& f)
{
    if (hasText) {
        f.Dfn("%s = %s", name.c_str(), DfnStringLiteral(text).c_str());
        return;
    }
    f.Dfn("%s%s : ", name.c_str(), readOnly ? "-" : "");
    if (DfnNamesType()) {
        f.Dfn("%s", TypeNameDfn().c_str());
        return;
    }
    type->WriteDFN(f);
}

int CArrayVar::CheckType(SLatePos& at) { return type ? type->CheckLate(at) : 0; }

std::unique_ptr<CBaseVar> CArrayVar::CloneVar(CBaseName* owner) const
{
    auto v = std::make_unique<CArrayVar>(owner);
    CopyVarFields(*v);
    if (type) v->type = To<CArrayType>(type->CloneType(type->parent));
    return v;
}

std::unique_ptr<CBaseVar> CArrayVar::CreateConst(CBaseName* owner) const
{
    if (!hasText) throw error_Internal("CBaseVar::CreateConst");
    std::unique_ptr<CBaseVar> c = CloneVar(owner);
    auto* a = To<CArrayVar>(c.get());
    a->text = text;
    a->hasText = true;
    a->maybeChar = maybeChar;
    a->isConst = true;
    return c;
}
