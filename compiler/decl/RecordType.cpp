// RECORD types: parsing of the base and the field lists, member lookup, the SYS_ID text, the
// struct written into the header or the source, and the definition text of the exported fields.
#include "RecordType.h"

#include "CppIdent.h"
#include "front/Diagnostics.h"
#include "emit/Output.h"
#include "Procedures.h"
#include "Sections.h"
#include "StructVars.h"
#include "Vars.h"

void CRecordType::AddName(std::unique_ptr<CBaseName> decl)
{
    decl->parent = this;
    members.push_back(std::move(decl));
}

CBaseName* CRecordType::FindName(const std::string& id)
{
    if (CBaseName* m = memberIndex.Find(members, id)) return m;
    CRecordType* b = BaseRecord();
    return b && b != this ? b->FindName(id) : nullptr;
}

CRecordType* CRecordType::BaseRecord() const
{
    if (!base) return nullptr;
    CBaseName* b = ResolveReference(parent, base->qualifier, base->name);
    return As<CRecordType>(b);
}

// After RECORD: ["(" qualident ")"] FieldList {";" FieldList} END.
int CRecordType::Init(CLexBuf& lb)
{
    if (lb.Accept(symLparen)) {
        if (int err = ReadBase(lb)) return err;
    }
    return ReadFields(lb);
}

int CRecordType::ReadBase(CLexBuf& lb)
{
    base = std::make_unique<CQualident>();
    if (int err = ReadQualifiedName(lb, parent, base->qualifier, base->name)) return err;
    CBaseName* decl = GetGlobalName(parent, base->qualifier, base->name);
    if (!decl) return errUndeclaredIdent;
    CBaseName* target = nullptr;
    if (ResolveSynonyms(decl, false, target) || target->kind != kindRecordType) return errNotARecordType;
    base->valueKind = kindRecordVar;
    return lb.Expect(symRparen, errRparenMissing);
}

// FieldList = [IdentList ":" type].
int CRecordType::ReadFields(CLexBuf& lb)
{
    bool local = IsLocalScope(parent);
    for (;;) {
        SLexPos pos = lb.SavePos();
        int code = 0;
        if (!lb.NextSymbol(code)) return errEndMissing;
        if (code == symIdent) {
            lb.RestorePos(pos);
            std::vector<std::unique_ptr<CBaseVar>> fields;
            auto declared = [this](const std::string& id) { return FindName(id); };
            if (int err = ReadVarList(lb, this, local, declared, fields)) return err;
            for (auto& v : fields) AddName(std::move(v));
            if (!lb.NextSymbol(code)) return errEndMissing;
        }
        if (code == symEND) return errOK;
        if (code != symSemicolon) return errEndMissing;
    }
}

const std::string& CRecordType::SysId()
{
    if (!sysId.empty()) return sysId;
    if (name.empty()) {
        sysId = "VYK_SYS_UNNAMED";
        return sysId;
    }
    std::string module;
    for (CBaseName* s = parent; s; s = s->parent) {
        module = s->name;
        if (s->kind == kindDfnModule || s->kind == kindSystemModule) break;
    }
    sysId = name + "@" + module;
    return sysId;
}

void CRecordType::WriteForward(CCppOutput& f, bool toHeader)
{
    f.To(toHeader, "struct %s;\n", CppId(name).c_str());
}

void CRecordType::WriteCPP(CCppOutput& f, bool toHeader) { WriteStructBody(f, toHeader); }

void CRecordType::WriteStructBody(CCppOutput& f, bool toHeader)
{
    f.To(toHeader, "struct %s", CppId(name).c_str());
    if (base) {
        f.To(toHeader, " : %s%s", CppQualifier(parent, base->qualifier, toHeader).c_str(),
             CppId(base->name).c_str());
    }
    f.To(toHeader, " {\n");
    f.To(toHeader, "\t%sconst char* VYK_SYS_ID() {return \"%s\";};\n", base ? "" : "virtual ",
         SysId().c_str());
    WriteDescriptorMembers(f, toHeader);
    WriteSpecialMembers(f, toHeader);
    WriteMemberFields(f, toHeader, "\t", ";\n");
    f.To(toHeader, "};\n");
}

// The constructor and copy members are declared defaulted although the implicit ones would do
// the same: GCC makes implicit members without the options of the support header's optimize
// pragma and then will not inline them, so every NEW and record assignment became a call.
void CRecordType::WriteSpecialMembers(CCppOutput& f, bool toHeader)
{
    const std::string id = CppId(name);
    const char* n = id.c_str();
    f.To(toHeader, "\t%s() = default; %s(const %s&) = default; %s& operator=(const %s&) = default;\n",
         n, n, n, n, n);
}

// The type descriptor (see the support header): the base, the extension level, and the
// function by which an object of the record reaches the descriptor of its own type.
void CRecordType::WriteDescriptorMembers(CCppOutput& f, bool toHeader)
{
    std::string id = CppId(name);
    if (base) {
        f.To(toHeader, "\ttypedef %s%s VYK_BASE;\n", CppQualifier(parent, base->qualifier, toHeader).c_str(),
             CppId(base->name).c_str());
        f.To(toHeader, "\tenum {VYK_LEVEL = VYK_BASE::VYK_LEVEL + 1};\n");
    } else {
        f.To(toHeader, "\tenum {VYK_LEVEL = 0};\n");
    }
    f.To(toHeader, "\t%sconst VYK_TYPEDESC* VYK_DESC() const {return &VYK_TD<%s>::d;};\n",
         base ? "" : "virtual ", id.c_str());
}

void CRecordType::WriteMemberFields(CCppOutput& f, bool toHeader, const char* lead, const char* end)
{
    for (auto& m : members) {
        f.To(toHeader, "%s", lead);
        if (IsProcedureKind(m->kind)) {
            WriteBoundProcedureMember(f, *m, toHeader);
        } else if (auto* array = As<CArrayVar>(m.get())) {
            array->WriteCPP_rec(f, toHeader);
        } else {
            To<CBaseVar>(*m).WriteCPP_par(f, toHeader);
        }
        f.To(toHeader, "%s", end);
    }
}

void CRecordType::WriteDFN(CDfnOutput& f)
{
    f.Dfn("RECORD");
    WriteDfnBody(f);
}

void CRecordType::WriteDfnBody(CDfnOutput& f)
{
    if (base) {
        f.Dfn(" (");
        if (!base->qualifier.empty()) f.Dfn("%s.", base->qualifier.c_str());
        f.Dfn("%s)", base->name.c_str());
    }
    f.Up();
    f.Dfn("\n");
    f.Indent();
    for (auto& m : members) {
        if (!m->exported || !IsVarKind(m->kind)) continue;
        if (ListedWithOther(To<CBaseVar>(*m), members)) continue;
        WriteListDFN(f, To<CBaseVar>(*m), members);
        f.Dfn(";\n");
        f.Indent();
    }
    f.Dfn("END");
    f.Down();
}

// Each declaration gets a number of its own (the parsed object may be gone when its copies are
// compared, and another take its place).
CRecordType::CRecordType(CBaseName* parent) : CBaseType(kindRecordType, parent)
{
    static uint64_t declared = 0;
    origin = ++declared;
}

std::unique_ptr<CBaseType> CRecordType::CloneType(CBaseName* newParent) const
{
    auto t = std::make_unique<CRecordType>(newParent);
    t->name = name;
    t->exported = exported;
    t->sysId = sysId;
    t->origin = origin;   // copies of one record declared in place (for the variables of one list) are one type
    if (base) t->base = std::make_unique<CQualident>(*base);
    for (auto& m : members)
        if (auto* field = As<CBaseVar>(m.get())) t->members.push_back(field->CloneVar(t.get()));
    return t;
}

std::unique_ptr<CBaseVar> CRecordType::CreateVar(CBaseName* owner) const
{
    auto v = std::make_unique<CRecordVar>(owner);
    v->type = To<CRecordType>(CloneType(parent));
    return v;
}

int CRecordType::CheckLate(SLatePos& at)
{
    if (done) return errOK;
    done = true;
    for (auto& m : members)
        if (auto* field = As<CBaseVar>(m.get()))
            if (int err = field->CheckType(at)) return err;
    return errOK;
}
