// Common types: reading CASE types, additions with "+=", specialized types T<...> and the
// binding of common-type variables; their definition text, link-description elements and
// C++ forms. The structs behind the generated names (VYK_SPEC_, VYK_SID_, VYK_INIT_) come from
// the linker, which reads the Case elements written here.
#include "decl/CommonType.h"

#include "decl/DeclSeq.h"
#include "decl/Module.h"
#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "emit/Output.h"
#include "CppIdent.h"
#include "GeneratedNames.h"
#include "decl/StructVars.h"

namespace {
// Own name of the module that `alias` imports in `scope`, or "" when it is no import.
std::string ImportedModuleName(CBaseName* scope, const std::string& alias)
{
    auto* import = As<CImportName>(FindUnqualified(scope, alias));
    return import ? import->moduleName : std::string();
}

// Declarations read from a definition file name types that need not be exported; they are
// taken as written.
bool InDefinitionFile(CBaseName* scope)
{
    CBaseName* module = GetOwningModule(scope);
    return module && (module->kind == kindDfnModule || module->kind == kindSystemModule);
}

// RECORD and common types can be specializations; the union holds a pointer to them.
bool IsSpecializationKind(int kind) { return kind == kindRecordType || kind == kindCommonType; }
}  // namespace

// ---- SSpecialization ----

std::string SSpecialization::OwnModule() const
{
    if (!typeModule.empty()) {
        std::string own = ImportedModuleName(scope, typeModule);
        return own.empty() ? typeModule : own;
    }
    CBaseName* module = GetOwningModule(scope);
    return module ? module->name : std::string();
}

CBaseName* SSpecialization::Type() const
{
    if (typeName.empty() || !scope) return nullptr;
    CBaseName* decl = GetGlobalName(scope, typeModule, typeName);
    return decl ? ResolveType(decl) : nullptr;
}

// ---- CCommonType: reading ----

// After CASE: [TYPE] [LOCAL] OF (LOCAL may also come first).
int CCommonType::Init(CLexBuf& lb)
{
    int code = 0;
    if (!lb.NextSymbol(code)) return errOfMissing;
    if (code == symLOCAL) {
        local = true;
        if (!lb.NextSymbol(code)) return errOfMissing;
    }
    if (code == symTYPE) {
        tagKind = 1;
        if (!lb.NextSymbol(code)) return errOfMissing;
    }
    if (code == symLOCAL && !local) {
        local = true;
        if (!lb.NextSymbol(code)) return errOfMissing;
    }
    if (code != symOF) return errOfMissing;
    return ReadSpecList(lb, parent, false, nullptr);
}

// A qualified type name that can be a specialization: 113 when already one, 14 when unknown,
// 110 for any other kind and for a synonym.
int CCommonType::ReadTypeSpec(CLexBuf& lb, CBaseName* scope, SSpecialization& s)
{
    s.scope = scope;
    SLexPos pos = lb.SavePos();
    int code = 0;
    if (lb.NextSymbol(code) && MakeBasicType(code, scope)) return errSpecializationType;
    lb.RestorePos(pos);
    if (int err = ReadQualifiedName(lb, scope, s.typeModule, s.typeName)) return err;
    if (FindType(scope, s.typeModule, s.typeName)) return errSpecializationTwice;
    if (InDefinitionFile(scope)) return errOK;
    CBaseName* decl = GetGlobalName(scope, s.typeModule, s.typeName);
    if (!decl) return errUndeclaredIdent;
    if (!IsSpecializationKind(decl->kind)) return errSpecializationType;
    return errOK;
}

// tag {"," tag} ":" (qualident | NIL): every tag gets a specialization of that type.
int CCommonType::ReadTaggedSpecs(CLexBuf& lb, CBaseName* scope, int added, std::vector<SSpecialization>* addTo)
{
    pendingTags.clear();
    int code = 0;
    for (;;) {
        std::string tag;
        if (int err = lb.ExpectIdent(tag, errIdentExpected)) return err;
        if (FindTag(tag)) return errSpecializationTwice;
        for (const auto& t : pendingTags)
            if (t == tag) return errSpecializationTwice;
        pendingTags.push_back(tag);
        if (!lb.NextSymbol(code)) return errColonMissing;
        if (code == symColon) break;
        if (code != symComma) return errColonMissing;
    }
    SSpecialization type;
    type.scope = scope;
    if (!lb.Accept(symNIL)) {
        if (int err = ReadTypeSpec(lb, scope, type)) return err == errSpecializationTwice ? errOK : err;
    }
    for (const auto& tag : pendingTags) {
        SSpecialization s = type;
        s.tag = tag;
        s.added = added;
        specs.push_back(s);
        if (addTo) addTo->push_back(s);
    }
    pendingTags.clear();
    return errOK;
}

// ELSE: a qualified type name (type-tagged), or tag ":" (qualident | NIL); END must follow.
int CCommonType::ReadDefault(CLexBuf& lb, CBaseName* scope)
{
    auto d = std::make_unique<SSpecialization>();
    d->scope = scope;
    if (TypeTagged()) {
        if (int err = ReadTypeSpec(lb, scope, *d)) return err;
    } else {
        if (int err = lb.ExpectIdent(d->tag, errIdentExpected)) return err;
        if (lb.Accept(symPeriod)) return errIdentExpected;
        if (FindTag(d->tag)) return errSpecializationTwice;
        if (int err = lb.Expect(symColon, errColonMissing)) return err;
        if (!lb.Accept(symNIL)) {
            SSpecialization type;
            if (int err = ReadTypeSpec(lb, scope, type)) {
                if (err != errSpecializationTwice) return err;
            }
            d->typeModule = type.typeModule;
            d->typeName = type.typeName;
        }
    }
    def = std::move(d);
    return lb.Expect(symEND, errEndMissing);
}

// Specializations, with "|" before all but the first (its absence is no error). The CASE body
// ends at END (ELSE reads the default first); an extension ends before ";".
int CCommonType::ReadSpecList(CLexBuf& lb, CBaseName* scope, bool extension, std::vector<SSpecialization>* addTo)
{
    const int added = extension ? 1 : 0;
    bool first = true;
    for (;;) {
        SLexPos pos = lb.SavePos();
        int code = 0;
        if (!lb.NextSymbol(code)) return extension ? errSemicolonMissing : errEndMissing;
        if (!first && code == symBar) {
            pos = lb.SavePos();
            if (!lb.NextSymbol(code)) return extension ? errSemicolonMissing : errEndMissing;
        }
        first = false;
        if (extension && code == symSemicolon) {
            lb.RestorePos(pos);
            return errOK;
        }
        if (!extension && code == symEND) return errOK;
        if (!extension && code == symELSE) return ReadDefault(lb, scope);
        if (TypeTagged() && MakeBasicType(code, scope)) return errSpecializationType;
        if (code != symIdent) return errIdentExpected;
        lb.RestorePos(pos);
        if (TypeTagged()) {
            SSpecialization s;
            if (int err = ReadTypeSpec(lb, scope, s)) return err;
            s.added = added;
            specs.push_back(s);
            if (addTo) addTo->push_back(s);
        } else if (int err = ReadTaggedSpecs(lb, scope, added, addTo)) {
            return err;
        }
    }
}

// ---- CCommonType: lookups ----

const SSpecialization* CCommonType::FindTag(const std::string& tag) const
{
    for (const auto& s : specs)
        if (s.tag == tag) return &s;
    if (def && def->tag == tag) return def.get();
    return nullptr;
}

const SSpecialization* CCommonType::FindType(CBaseName* scope, const std::string& qualifier,
                                             const std::string& name) const
{
    SSpecialization probe;
    probe.scope = scope;
    probe.typeModule = qualifier;
    probe.typeName = name;
    const std::string own = probe.OwnModule();
    for (const auto& s : specs)
        if (s.tag.empty() && s.typeName == name && s.OwnModule() == own) return &s;
    if (def && def->tag.empty() && def->typeName == name && def->OwnModule() == own) return def.get();
    return nullptr;
}

const SSpecialization* CCommonType::FindById(const std::string& id) const
{
    for (const auto& s : specs)
        if (SpecId(s) == id) return &s;
    return def && SpecId(*def) == id ? def.get() : nullptr;
}

const SSpecialization* CCommonType::FindSpec(CBaseName* scope, const std::string& qualifier,
                                             const std::string& name) const
{
    if (TypeTagged()) return FindType(scope, qualifier, name);
    return qualifier.empty() ? FindTag(name) : nullptr;
}

std::string CCommonType::SpecId(const SSpecialization& s) const
{
    const std::optional<std::string> tag = TypeTagged() ? std::nullopt : std::optional<std::string>(s.tag);
    return vykname::SpecSuffix(tag, s.OwnModule(), s.typeName);
}

// ---- CCommonType: writing ----

void CCommonType::WriteSpecDfn(CDfnOutput& f, const SSpecialization& s) const
{
    if (!s.tag.empty()) f.Dfn("%s : ", s.tag.c_str());
    if (!s.typeModule.empty()) f.Dfn("%s.", s.typeModule.c_str());
    f.Dfn("%s", s.typeName.empty() ? "NIL" : s.typeName.c_str());
}

// CASE [TYPE ][LOCAL ]OF <spec> | <spec> ... [ELSE <default>] END
void CCommonType::WriteDFN(CDfnOutput& f)
{
    f.Dfn("CASE %s%sOF\n\t\t", TypeTagged() ? "TYPE " : "", local ? "LOCAL " : "");
    const char* separator = "";
    for (const auto& s : specs) {
        f.Dfn("%s", separator);
        WriteSpecDfn(f, s);
        separator = "\n\t\t| ";
    }
    if (def) {
        f.Dfn("\n\t\tELSE ");
        WriteSpecDfn(f, *def);
    }
    f.Dfn("\n\t\tEND");
}

static void WriteSpecElement(CCppOutput& f, const SSpecialization& s, bool isDefault)
{
    f.Vyl("\t\t<Spec");
    if (isDefault) f.Vyl(" Def=\"yes\"");
    if (!s.tag.empty()) f.Vyl(" Tag=\"%s\"", s.tag.c_str());
    if (!s.typeModule.empty()) f.Vyl(" Qual=\"%s\"", s.OwnModule().c_str());
    if (!s.typeName.empty()) f.Vyl(" Name=\"%s\"", s.typeName.c_str());
    f.Vyl(" />\n");
}

void CCommonType::WriteCPP(CCppOutput& f, bool)
{
    f.Vyl("\t<Case Name=\"%s\"%s%s>\n", name.c_str(), TypeTagged() ? " TagType=\"type\"" : "",
          local ? " Local=\"yes\"" : "");
    for (const auto& s : specs) WriteSpecElement(f, s, false);
    if (def) WriteSpecElement(f, *def, true);
    f.Vyl("\t</Case>\n");
}

std::unique_ptr<CBaseType> CCommonType::CloneType(CBaseName* newParent) const
{
    auto t = std::make_unique<CCommonType>(newParent);
    t->name = name;
    t->exported = exported;
    t->local = local;
    t->specs = specs;
    t->tagKind = tagKind;
    if (def) t->def = std::make_unique<SSpecialization>(*def);
    return t;
}

std::unique_ptr<CBaseVar> CCommonType::CreateVar(CBaseName* owner) const
{
    auto v = std::make_unique<CCommonVar>(owner);
    if (name.empty()) {
        v->anonType = To<CCommonType>(CloneType(parent));
    } else {
        v->typeName = name;
        v->typeModule = GetModuleAlias(const_cast<CCommonType*>(this));
    }
    return v;
}

// ---- CSpecType ----

CCommonType* CommonTypeOf(CBaseName* type)
{
    CBaseName* t = type ? ResolveType(type) : nullptr;
    if (!t) return nullptr;
    if (auto* common = As<CCommonType>(t)) return common;
    if (auto* spec = As<CSpecType>(t)) return spec->Common();
    return nullptr;
}

// "<" [qualident] ">" after the common-type reference.
int CSpecType::Init(CLexBuf& lb)
{
    auto* c = As<CCommonType>(GetGlobalName(parent, common.qualifier, common.name));
    if (!c) return errCommonTypeExpected;
    int code = 0;
    if (int err = lb.Expect(symLss, errLssMissing)) return err;
    if (lb.Accept(symGtr)) {
        if (!c->def) return errNoDefaultSpecialization;
        if (c->TypeTagged()) {
            specModule = c->def->typeModule;
            specName = c->def->typeName;
        } else {
            specName = c->def->tag;
        }
        return Spec() ? errOK : errSpecializationTag;
    }
    if (c->TypeTagged()) {
        if (int err = ReadQualifiedName(lb, parent, specModule, specName)) return err;
    } else if (!lb.NextSymbol(code, specName) || code != symIdent) {
        return errSpecializationTag;
    }
    if (!Spec()) return errSpecializationTag;
    return lb.Expect(symGtr, errGtrMissing);
}

CCommonType* CSpecType::Common() const
{
    CBaseName* decl = GetGlobalName(parent, common.qualifier, common.name);
    return As<CCommonType>(decl);
}

const SSpecialization* CSpecType::Spec() const
{
    CCommonType* c = Common();
    if (!c) return nullptr;
    if (c->def && specModule.empty() && !c->TypeTagged() && c->def->tag == specName) return c->def.get();
    const SSpecialization* s = c->FindSpec(parent, specModule, specName);
    if (!s && c->TypeTagged()) {
        // The default of a type-tagged type, written by the declaring module's spelling.
        if (c->def && c->def->typeName == specName &&
            (c->def->typeModule == specModule || c->def->OwnModule() == specModule))
            return c->def.get();
    }
    return s;
}

std::string CSpecType::SpecId() const
{
    CCommonType* c = Common();
    const SSpecialization* s = Spec();
    return c && s ? c->SpecId(*s) : std::string();
}

// <common type>"<"[<module>.]<spec>">"
void CSpecType::WriteDFN(CDfnOutput& f)
{
    if (!common.qualifier.empty()) f.Dfn("%s.", common.qualifier.c_str());
    f.Dfn("%s<", common.name.c_str());
    if (!specModule.empty()) f.Dfn("%s.", specModule.c_str());
    f.Dfn("%s>", specName.c_str());
}

std::unique_ptr<CBaseType> CSpecType::CloneType(CBaseName* newParent) const
{
    auto t = std::make_unique<CSpecType>(newParent);
    t->name = name;
    t->exported = exported;
    t->common = common;
    t->specModule = specModule;
    t->specName = specName;
    return t;
}

std::unique_ptr<CBaseVar> CSpecType::CreateVar(CBaseName* owner) const
{
    auto v = std::make_unique<CCommonVar>(owner);
    v->typeModule = common.qualifier;
    v->typeName = common.name;
    CCommonType* c = Common();
    const SSpecialization* s = Spec();
    if (c && s) v->Bind(*c, *s);
    return v;
}

void CSpecType::WriteCPP(CCppOutput& f, bool toHeader)
{
    std::string target = CppQualifier(parent, common.qualifier, toHeader) + CppId(common.name);
    f.To(toHeader, "typedef %s %s;\n", target.c_str(), CppId(name).c_str());
}

int ReadSpecializedType(CLexBuf& lb, CBaseName* scope, std::unique_ptr<CBaseType>& type)
{
    if (!type || type->kind != kindQualidentType) return errOK;
    if (!lb.Peek(symLss)) return errOK;
    auto spec = std::make_unique<CSpecType>(scope);
    spec->common = To<CQualidentType>(type.get())->ref;
    if (int err = spec->Init(lb)) return err;
    type = std::move(spec);
    return errOK;
}

// ---- CCommonExtension ----

std::unique_ptr<CBaseType> CCommonExtension::CloneType(CBaseName*) const
{
    throw error_Internal("CCommonExtension::CloneType");
}

std::unique_ptr<CBaseVar> CCommonExtension::CreateVar(CBaseName*) const
{
    throw error_Internal("CCommonExtension::CreateVar");
}

// M.T += <spec> | <spec>, with every specialization the module added. A record type that is
// not exported is named all the same, as in the module's own CASE types: an exported variable
// may be bound to it, and its importers must know the specialization to read that binding.
bool CCommonExtension::WriteExtensionDfn(CDfnOutput& f, const char* lead) const
{
    if (added.empty()) return false;
    f.Dfn("%s%s.%s += ", lead, alias.c_str(), typeName.c_str());
    const char* separator = "";
    for (const auto& s : added) {
        f.Dfn("%s", separator);
        if (!s.tag.empty()) f.Dfn("%s : ", s.tag.c_str());
        if (!s.typeModule.empty()) f.Dfn("%s.", s.typeModule.c_str());
        f.Dfn("%s", s.typeName.empty() ? "NIL" : s.typeName.c_str());
        separator = " | ";
    }
    f.Dfn(";\n");
    return true;
}

void CCommonExtension::WriteCPP(CCppOutput& f, bool)
{
    f.Vyl("\t<Case Qual=\"%s\" Name=\"%s\">\n", moduleName.c_str(), typeName.c_str());
    for (const auto& s : added) WriteSpecElement(f, s, false);
    f.Vyl("\t</Case>\n");
}

// name "+=" specs  |  module "." name "+=" specs
int ReadCommonExtension(CLexBuf& lb, CDeclSeq& seq, const CBareName& ident, int afterName)
{
    if (ident.exported) return errIllegallyMarkedIdent;
    CBaseName* decl = nullptr;
    std::string qualifier;
    std::string typeName = ident.name;
    if (afterName == symPeriod) {
        qualifier = ident.name;
        if (int err = lb.ExpectIdent(typeName, errIdentExpected)) return err;
        decl = GetGlobalName(seq.owner, qualifier, typeName);
        if (!decl) return errUndeclaredIdent;
        if (decl->kind != kindCommonType) return errCommonTypeExpected;
        if (int err = lb.Expect(symPlusBecomes, errPlusBecomesMissing)) return err;
        if (To<CCommonType>(decl)->local) return errLocalImportedCommonExt;
    } else {
        decl = FindUnqualified(seq.owner, typeName);
        if (!decl) return errUndeclaredIdent;
        if (decl->kind != kindCommonType) return errCommonTypeExpected;
    }
    auto* common = To<CCommonType>(decl);
    CBaseName* owner = GetOwningModule(common);
    std::unique_ptr<CCommonExtension> ext;
    if (owner && owner != GetOwningModule(seq.owner)) {
        if (common->local) return errLocalImportedCommonExt;
        ext = std::make_unique<CCommonExtension>(seq.owner);
        ext->alias = qualifier;
        ext->moduleName = owner->name;
        ext->typeName = common->name;
    }
    if (int err = common->ReadSpecList(lb, seq.owner, true, ext ? &ext->added : nullptr)) return err;
    if (ext) seq.AddName(std::move(ext));
    return errOK;
}

// ---- CCommonVar ----

CCommonVar::~CCommonVar() = default;

CCommonType* CCommonVar::Common() const
{
    if (anonType) return anonType.get();
    if (typeName.empty()) return nullptr;
    return CommonTypeOf(GetGlobalName(parent, typeModule, typeName));
}

void CCommonVar::Bind(const CCommonType& common, const SSpecialization& s)
{
    bound = true;
    specTag = s.tag;
    specModule = s.typeModule;
    specTypeName = s.typeName;
    specId = common.SpecId(s);
}

int CCommonVar::SetSpecialization(const std::string& qualifier, const std::string& name, bool isDefault)
{
    if (bound) return errCommonTypeExpected;
    CCommonType* c = Common();
    if (!c) return errUnknownInternal;
    const SSpecialization* s = nullptr;
    if (isDefault) {
        s = c->def.get();
        if (!s) return errSpecializedTypeExpected;
    } else {
        s = c->FindSpec(parent, qualifier, name);
        if (!s && c->def && !c->TypeTagged() && qualifier.empty() && c->def->tag == name) s = c->def.get();
        if (!s) return errSpecializationTag;
    }
    Bind(*c, *s);
    return errOK;
}

CBaseName* CCommonVar::FindName(const std::string& id)
{
    CCommonType* c = Common();
    if (!c || !bound) return nullptr;
    const SSpecialization* s = c->TypeTagged() ? nullptr : c->FindTag(specTag);
    CBaseName* type = nullptr;
    if (s) {
        type = s->Type();
    } else if (c->TypeTagged()) {
        for (const auto& spec : c->specs)
            if (c->SpecId(spec) == specId) type = spec.Type();
        if (!type && c->def && c->SpecId(*c->def) == specId) type = c->def->Type();
    }
    return type && type->kind == kindRecordType ? type->FindName(id) : nullptr;
}

// [<q>::]T [<module>::]v([<q>::]T::VYK_INIT_<id>)
void CCommonVar::WriteCPP(CCppOutput& f)
{
    if (typeName.empty()) return;
    std::string type = TypeQualifierCpp(false) + CppId(typeName);
    std::string id = CppId(name);
    if (exported) {
        f.Hdr("extern %s%s %s", TypeQualifierCpp(true).c_str(), CppId(typeName).c_str(), id.c_str());
        f.Cpp("%s %s::%s(", type.c_str(), OwnerModuleCpp().c_str(), id.c_str());
    } else {
        f.Cpp("%s %s(", type.c_str(), id.c_str());
    }
    f.Cpp("%s::%s)", type.c_str(), vykname::SpecInit(specId).c_str());
}

// The specialized type (T<s>) that the variable's type names directly or through synonyms, which
// binds every variable of it; nullptr for another type.
static CSpecType* SpecializedType(CBaseName* scope, const std::string& module, const std::string& name)
{
    CBaseName* decl = name.empty() ? nullptr : GetGlobalName(scope, module, name);
    for (int steps = 0; Is<CQualidentType>(decl) && steps < 1000; ++steps) {
        const CQualident& ref = To<CQualidentType>(decl)->ref;
        decl = ref.name.empty() ? nullptr : GetGlobalName(decl->parent, ref.qualifier, ref.name);
    }
    return As<CSpecType>(decl);
}

// True when an importer of the module can name `decl`: it is exported, or imported itself.
static bool ImportersKnow(CBaseName* decl)
{
    return decl->exported || GetOwningModule(decl)->kind != kindModule;
}

// The qualifier of a type-tagged specialization in the text of the module around `scope`: none
// for the module's own types, else the alias under which it imports the type's module, or that
// module's own name (which a definition file reads back as that module all the same).
static std::string SpecQualifierHere(CBaseName* scope, const SSpecialization& s)
{
    const std::string own = s.OwnModule();
    auto* module = To<CModuleBase>(GetOwningModule(scope));
    if (own == module->name) return std::string();
    if (module->decls)
        for (const auto& decl : module->decls->decls)
            if (auto* import = As<CImportName>(decl.get()); import && import->moduleName == own)
                return decl->name;
    return own;
}

// The name the definition file gives the variable's type. A type the module does not export is
// followed through the module's own synonyms to the first name its importers know; a hidden
// specialized type T<s> on the way gives T, and `hidden` is set: the variable's binding is then
// written with it.
std::string CCommonVar::TypeTextDfn(bool& hidden) const
{
    hidden = false;
    CBaseName* decl = DfnNamesType() ? nullptr : GetGlobalName(parent, typeModule, typeName);
    for (int steps = 0; decl && steps < 1000; ++steps) {
        if (auto* spec = As<CSpecType>(decl)) {
            hidden = true;
            return spec->common.DfnText();
        }
        auto* synonym = As<CQualidentType>(decl);
        if (!synonym) break;
        const CQualident& ref = synonym->ref;
        decl = ref.name.empty() ? nullptr : GetGlobalName(decl->parent, ref.qualifier, ref.name);
        if (decl && ImportersKnow(decl)) return ref.DfnText();
    }
    return TypeNameDfn();
}

// v : [M.]T, and the specialization when it is not the default (the importer binds the same);
// a specialized type binds by itself.
void CCommonVar::WriteDFN(CDfnOutput& f)
{
    f.Dfn("%s", name.c_str());
    CCommonType* c = Common();
    bool isDefault = c && c->def && c->SpecId(*c->def) == specId;
    bool hidden = false;
    std::string type = TypeTextDfn(hidden);
    bool binds = hidden || !SpecializedType(parent, typeModule, typeName);
    const SSpecialization* s = c && bound && !isDefault && binds ? c->FindById(specId) : nullptr;
    if (s && !s->tag.empty()) {
        f.Dfn("<%s>", s->tag.c_str());
    } else if (s) {
        std::string qualifier = SpecQualifierHere(parent, *s);
        f.Dfn("<%s%s%s>", qualifier.c_str(), qualifier.empty() ? "" : ".", s->typeName.c_str());
    }
    f.Dfn(" : %s", type.c_str());
}

void CCommonVar::WriteCPP_par(CCppOutput& f, bool toHeader)
{
    f.To(toHeader, "%s%s* %s", TypeQualifierCpp(toHeader).c_str(), CppId(typeName).c_str(), CppId(name).c_str());
}

std::unique_ptr<CBaseVar> CCommonVar::CloneVar(CBaseName* owner) const
{
    auto v = std::make_unique<CCommonVar>(owner);
    CopyVarFields(*v);
    v->specId = specId;
    v->specModule = specModule;
    v->specTypeName = specTypeName;
    v->specTag = specTag;
    v->bound = bound;
    if (anonType) v->anonType = To<CCommonType>(anonType->CloneType(anonType->parent));
    return v;
}

// ---- declared variables ----

static bool IsCommonElementArray(CBaseType& type)
{
    auto* array = As<CArrayType>(ResolveType(&type));
    if (!array) return false;
    CBaseName* elem = ResolveType(array->Innermost());
    return elem && (elem->kind == kindCommonType || elem->kind == kindSpecType);
}

int FinishDeclaredVar(CBaseVar& v, CBaseType& type, const CBareName& ident, bool field)
{
    if (IsCommonElementArray(type)) return errCommonParamNotPointerOrVar;
    if (!Is<CCommonVar>(&v)) return ident.hasSpec ? errCommonTypeExpected : errOK;
    if (field) return errCommonParamNotPointerOrVar;
    auto& common = To<CCommonVar>(v);
    // A CASE written in place has no name for the linker to make a struct of.
    if (common.anonType) return errTypeStart;
    if (ident.hasSpec) {
        bool isDefault = ident.specQualifier.empty() && ident.specName.empty();
        if (isDefault && common.Common() && !common.Common()->def) return errNoDefaultSpecialization;
        return common.SetSpecialization(ident.specQualifier, ident.specName, isDefault);
    }
    if (common.bound) return errOK;
    if (!common.Common()) return errCommonTypeExpected;
    return common.SetSpecialization(std::string(), std::string(), true);
}

// ---- pointers to common types ----

CCommonType* PointedCommonType(CBaseName* decl)
{
    auto* pointerVar = As<CPointerVar>(decl);
    return pointerVar ? CommonTypeOf(pointerVar->Base()) : nullptr;
}

std::string PointerSpecId(CBaseName* decl)
{
    auto* pointerVar = As<CPointerVar>(decl);
    auto* spec = pointerVar ? As<CSpecType>(pointerVar->Base()) : nullptr;
    return spec ? spec->SpecId() : std::string();
}

// POINTER TO RECORD CASE ... END and POINTER TO CASE ... END: an anonymous common type, which
// the pointer's declaration lends its name.
int ReadPointerCommonBase(CLexBuf& lb, const SLexPos& pos, CBaseName* scope, std::unique_ptr<CBaseType>& base)
{
    lb.RestorePos(pos);
    int code = 0;
    lb.NextSymbol(code);
    if (code == symRECORD && !lb.Accept(symCASE)) {
        lb.RestorePos(pos);
        return sigNoMoreDecl;
    }
    base = std::make_unique<CCommonType>(scope);
    return base->Init(lb);
}

int ReadPointerSpecBase(CLexBuf& lb, CBaseName* scope, const CQualident& ref, std::unique_ptr<CBaseType>& base)
{
    if (!lb.Peek(symLss)) return sigNoMoreDecl;
    auto spec = std::make_unique<CSpecType>(scope);
    spec->common = ref;
    if (int err = spec->Init(lb)) return err;
    base = std::move(spec);
    return errOK;
}

CBaseName* FindSpecializedField(CBaseName* pointerVar, const std::string& id)
{
    auto* pointer = As<CPointerVar>(pointerVar);
    auto* spec = pointer ? As<CSpecType>(pointer->Base()) : nullptr;
    if (!spec) return nullptr;
    const SSpecialization* s = spec->Spec();
    CBaseName* type = s ? s->Type() : nullptr;
    return type && type->kind == kindRecordType ? type->FindName(id) : nullptr;
}
