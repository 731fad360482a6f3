// Procedure declarations: reading ordinary, forward and type-bound procedures (and headings
// from definition files), the duplicate and forward rules, the return checks, and the C++ and
// definition text of a procedure. A procedure declared inside another one is written as a
// lambda held by a std::function at the start of the enclosing body, so it is callable from
// there and from its siblings, recursive, and sees the enclosing parameters and variables.
#include "decl/Procedures.h"

#include "decl/CommonProc.h"
#include "decl/DeclSeq.h"
#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "emit/Output.h"
#include "code/Designator.h"
#include "code/Statements.h"
#include "CppIdent.h"
#include "decl/RecordType.h"
#include "decl/Sections.h"
#include "decl/StructVars.h"
#include "decl/Types.h"
#include "decl/Vars.h"
#include <algorithm>

SReceiver::SReceiver() = default;
SReceiver::~SReceiver() = default;

namespace {
// Stands in a declaration sequence for a type-bound procedure, which its record owns: the
// procedure section writes and checks it in declaration order. It has no name, so no lookup
// ever finds it.
class CBoundProcEntry : public CBaseName {
public:
    CProcedureBase* proc;
    CBoundProcEntry(CBaseName* parent, CProcedureBase* proc) : CBaseName(kindNone, parent), proc(proc) {}
};

CProcedureBase* AsProcedure(CBaseName* decl)
{
    if (auto* proc = As<CProcedureBase>(decl)) return proc;
    if (decl && decl->kind == kindNone && decl->name.empty())
        if (auto* entry = dynamic_cast<CBoundProcEntry*>(decl)) return entry->proc;
    return nullptr;
}

// The record a receiver type name stands for (a pointer type replaced by its base record).
CRecordType* ReceiverRecord(CBaseName* scope, const std::string& typeName)
{
    CBaseName* type = ResolveType(FindUnqualified(scope, typeName));
    if (auto* pointerType = As<CPointerType>(type)) return pointerType->BaseRecord();
    if (auto* record = As<CRecordType>(type)) return record;
    return nullptr;
}
}  // namespace

// ---- CProcedureBase ----

CProcedureBase::CProcedureBase(EKind kind, CBaseName* parent)
    : CBaseName(kind, parent), formals(std::make_unique<CFormalPars>(this)),
      locals(std::make_unique<CDeclSeq>(this))
{
}

CProcedureBase::~CProcedureBase() = default;

void CProcedureBase::AddName(std::unique_ptr<CBaseName> decl)
{
    locals->AddName(std::move(decl));
}

CBaseName* CProcedureBase::FindName(const std::string& id)
{
    if (id == name) return this;
    if (CBaseName* local = locals->FindName(id)) return local;
    if (CBaseVar* par = formals->FindParam(id)) return par;
    if (receiver && receiver->name == id) return receiver->var.get();
    return nullptr;
}

EKind CProcedureBase::GetValueKind() const
{
    return formals->ResultKind();
}

const std::string* CProcedureBase::ReceiverTypeName() const
{
    return receiver ? &receiver->typeName : nullptr;
}

bool CProcedureBase::IsLocal() const
{
    for (CBaseName* p = parent; p; p = p->parent)
        if (IsProcedureKind(p->kind)) return true;
    return false;
}

CRecordType* CProcedureBase::BoundRecord() const
{
    return receiver ? ReceiverRecord(parent, receiver->typeName) : nullptr;
}

// Receiver = "(" [VAR] ident ":" ident ")".
int CProcedureBase::ReadReceiver(CLexBuf& lb)
{
    receiver = std::make_unique<SReceiver>();
    receiver->isVar = lb.Accept(symVAR);
    int code = 0;
    if (int err = lb.ExpectIdent(receiver->name, errIdentExpected)) return err;
    if (int err = lb.Expect(symColon, errColonMissing)) return err;
    if (!lb.NextSymbol(code, receiver->typeName)) return errIdentExpected;
    if (code >= symSET && MakeBasicType(code, nullptr)) return errReceiverNotPointerOrVarRecord;
    if (code != symIdent) return errIdentExpected;
    CBaseName* declared = FindUnqualified(parent, receiver->typeName);
    if (!declared) return errUndeclaredIdent;
    CBaseName* type = ResolveType(declared);
    auto* pointerType = As<CPointerType>(type);
    bool ok = receiver->isVar ? Is<CRecordType>(type) : pointerType && pointerType->BaseRecord();
    if (!ok) return errReceiverNotPointerOrVarRecord;
    receiver->var = To<CBaseType>(declared)->CreateVar(this);
    receiver->var->name = receiver->name;
    receiver->var->isVar = receiver->isVar;
    receiver->var->exported = declared->exported;
    // A VAR receiver names its record, so that its members are looked up in the record itself
    // and not in a copy taken before the procedures bound to it further down were read.
    if (declared->kind != kindPointerType)
        receiver->var->typeName = receiver->typeName;
    return lb.Expect(symRparen, errRparenMissing);
}

// IdentDef [FormalParameters]; the name may not carry "-".
int CProcedureBase::ReadNameAndParams(CLexBuf& lb)
{
    CBareName ident(parent, false);
    if (int err = ident.Init(lb)) return err;
    name = ident.name;
    exported = ident.exported;
    if (exported && IsLocal()) return errIllegallyMarkedIdent;   // nothing local is exported
    return formals->Init(lb, receiver ? receiver->name : std::string());
}

// ---- Declaration rules ----

// The procedure of the same name and receiver already declared, or nullptr; `clash` is set for
// a non-procedure of that name (15).
static CProcedureBase* FindPrevious(CDeclSeq& seq, CProcedureBase& proc, bool& clash)
{
    clash = false;
    if (proc.receiver) {
        CRecordType* record = ReceiverRecord(seq.owner, proc.receiver->typeName);
        if (!record) return nullptr;
        for (auto& member : record->members) {
            if (member->name != proc.name) continue;
            if (CProcedureBase* p = AsProcedure(member.get())) return p;
            clash = true;
        }
        return nullptr;
    }
    CBaseName* found = seq.FindName(proc.name);
    if (!found) return nullptr;
    CProcedureBase* p = AsProcedure(found);
    if (!p || p->receiver) clash = true;
    return clash ? nullptr : p;
}

// Applies the duplicate rule; a full declaration satisfies an earlier forward one.
static int CheckPrevious(CDeclSeq& seq, CProcedureBase& proc)
{
    bool clash = false;
    CProcedureBase* previous = FindPrevious(seq, proc, clash);
    if (clash) return errMultiplyDefinedIdent;
    if (!previous) return errOK;
    if (previous->kind != kindForwardProc) return errMultiplyDefinedIdent;
    if (proc.kind == kindForwardProc) return errOK;
    std::string before = previous->receiver ? previous->receiver->name : std::string();
    std::string now = proc.receiver ? proc.receiver->name : std::string();
    if (before != now) return errParamMismatch;
    if (previous->formals->params.size() != proc.formals->params.size()) return errParamCountMismatch;
    To<CForwardProc>(previous)->satisfied = true;
    return errOK;
}

// Adds the procedure to the sequence, or to its receiver's record with an entry in the sequence.
static CProcedureBase* AddProcedure(CDeclSeq& seq, std::unique_ptr<CProcedureBase> proc)
{
    CProcedureBase* raw = proc.get();
    proc->parent = seq.owner;
    if (!proc->receiver) {
        seq.AddName(std::move(proc));
        return raw;
    }
    CRecordType* record = ReceiverRecord(seq.owner, proc->receiver->typeName);
    record->AddName(std::move(proc));
    raw->parent = seq.owner;
    seq.AddName(std::make_unique<CBoundProcEntry>(seq.owner, raw));
    return raw;
}

// PROCEDURE ["^"] [Receiver] IdentDef [FormalParameters] ...
int ReadProcedureDeclaration(CLexBuf& lb, CDeclSeq& seq)
{
    CNestingGuard guard;   // procedures declared inside procedures, too deep to be real
    if (guard.TooDeep()) return errIdentExpected;
    std::unique_ptr<CProcedureBase> proc;
    if (lb.Accept(symArrow))
        proc = std::make_unique<CForwardProc>(seq.owner);
    else if (IsCommonProcedureAhead(lb))
        return ReadCommonProcedure(lb, seq);
    else
        proc = std::make_unique<CProcedure>(seq.owner);
    if (int err = proc->Init(lb)) return err;
    if (int err = CheckPrevious(seq, *proc)) return err;
    bool forward = proc->kind == kindForwardProc;
    CProcedureBase* added = AddProcedure(seq, std::move(proc));
    if (forward) return errOK;
    return To<CProcedure>(added)->ReadBlock(lb);
}

// A heading of a definition file: PROCEDURE [Receiver] ident FormalParameters [":" type].
int ReadProcedureHeading(CLexBuf& lb, CDeclSeq& seq)
{
    if (IsCommonProcedureAhead(lb)) return ReadCommonProcedureHeading(lb, seq);
    auto proc = std::make_unique<CDfnProc>(seq.owner);
    if (int err = proc->Init(lb)) return err;
    bool clash = false;
    if (FindPrevious(seq, *proc, clash) || clash) return errMultiplyDefinedIdent;
    AddProcedure(seq, std::move(proc));
    return errOK;
}

int CheckForwardProcedures(CLexBuf& lb, CDeclSeq& seq)
{
    for (auto& decl : seq.decls) {
        auto* forward = As<CForwardProc>(AsProcedure(decl.get()));
        if (!forward) continue;
        if (!forward->satisfied) {
            lb.RestorePos(forward->pos);
            return errUnsatisfiedForward;
        }
    }
    return errOK;
}

// ---- Reading ----

// After PROCEDURE: [Receiver] IdentDef [FormalParameters] ";"
int CProcedure::Init(CLexBuf& lb)
{
    if (lb.Accept(symLparen))
        if (int err = ReadReceiver(lb)) return err;
    if (int err = ReadNameAndParams(lb)) return err;
    return lb.Expect(symSemicolon, errSemicolonMissing);
}

// DeclarationSequence [BEGIN StatementSequence] END ident
int CProcedure::ReadBlock(CLexBuf& lb)
{
    if (int err = locals->Init(lb)) return err;
    if (lb.Accept(symBEGIN)) {
        if (int err = ReadStatementSeq(lb, this, body)) return err;
        returnReach = body->GetReturnState();
    }
    if (formals->ResultKind() != 0) {
        if (returnReach == retNone) return errFunctionWithoutReturn;
        if (returnReach == retSome) ReportWarning(wrnNotAllPathsReturn, lb);
    }
    if (int err = ReadEnd(lb)) return err;
    std::string id;
    if (int err = lb.ExpectIdent(id, errIdentExpected)) return err;
    return id == name ? errOK : errProcNameMismatch;
}

// After "^": [Receiver] IdentDef [FormalParameters]
int CForwardProc::Init(CLexBuf& lb)
{
    if (lb.Accept(symLparen))
        if (int err = ReadReceiver(lb)) return err;
    // 93 is reported at the name: the position once the name is read.
    SLexPos before = lb.SavePos();
    int code = 0;
    lb.NextSymbol(code);
    pos = lb.SavePos();
    lb.RestorePos(before);
    return ReadNameAndParams(lb);
}

int CDfnProc::Init(CLexBuf& lb)
{
    if (lb.Accept(symLparen))
        if (int err = ReadReceiver(lb)) return err;
    return ReadNameAndParams(lb);
}

// ---- C++ text ----

static std::string ResultText(const CProcedureBase& proc, bool inHeader)
{
    return proc.formals->ResultCpp(inHeader) + " ";
}

void CProcedureBase::WriteMemberDecl(CCppOutput& f, bool toHeader) const
{
    f.To(toHeader, "virtual %s%s(", ResultText(*this, toHeader).c_str(), CppId(name).c_str());
    formals->WriteParams(f, toHeader);
    f.To(toHeader, ")");
}

// The struct of a record declares its type-bound procedures; a forward declaration leaves
// that to the full one.
void WriteBoundProcedureMember(CCppOutput& f, CBaseName& proc, bool toHeader)
{
    CProcedureBase* p = AsProcedure(&proc);
    if (!p || p->kind == kindForwardProc) return;
    p->WriteMemberDecl(f, toHeader);
}

void CProcedure::WriteCPP(CCppOutput& f)
{
    std::string id = CppId(name);
    std::string recvType = receiver ? CppId(receiver->typeName) : std::string();
    bool hidden = !exported && !receiver;
    bool inHeader = exported && !receiver;
    f.Cpp("//PROCEDURE %s%s%s\n", receiver ? receiver->typeName.c_str() : "", receiver ? "." : "",
          name.c_str());
    if (hidden) f.Cpp("%s", HiddenNamespaceCpp(this).c_str());
    f.Cpp("%s", ResultText(*this, false).c_str());
    if (inHeader) {
        f.Hdr("//PROCEDURE %s\n%s%s(", name.c_str(), ResultText(*this, true).c_str(), id.c_str());
        f.Cpp("%s::", CppId(GetOwningModule(this)->name).c_str());
    }
    if (receiver) f.Cpp("%s::", recvType.c_str());
    f.Cpp("%s(", id.c_str());
    formals->WriteParams(f, false);
    f.Cpp(") {\n");
    if (inHeader) {
        formals->WriteParams(f, true);
        f.Hdr(");\n");
    }
    if (receiver) f.Cpp("\t%s* %s = this;\n", recvType.c_str(), CppId(receiver->name).c_str());
    WriteBodyText(f);
    if (hidden) f.Cpp("}");
    f.Cpp("}\n//END %s;\n", name.c_str());
}

// Everything between the opening brace and the closing one: result variable, value-array
// copies, local declarations and procedures, the statements and the epilogue.
void CProcedure::WriteBodyText(CCppOutput& f)
{
    if (formals->ResultKind() != 0)
        f.Cpp("\t%s VYK_RESULT;\n", formals->ResultCpp(false).c_str());
    WriteValueArrayCopies(f);
    WriteTypeSection(f, *locals, false);
    WriteVarSection(f, *locals, false);
    std::vector<CProcedure*> nested;
    for (auto& decl : locals->decls)
        if (decl->kind == kindProcedure) nested.push_back(To<CProcedure>(decl.get()));
    for (CProcedure* proc : nested) proc->WriteLocalDecl(f);
    for (CProcedure* proc : nested) proc->WriteLocalDef(f);
    if (body) {
        f.Cpp("//BEGIN\n");
        body->WriteCPP(f);
    }
    WriteEpilogue(f);
    if (formals->ResultKind() != 0) f.Cpp("\treturn VYK_RESULT;\n");
}

// std::function<int(int a, char *s, const int VYK_ARR_0_s)> Name;
void CProcedure::WriteLocalDecl(CCppOutput& f)
{
    f.Cpp("\tstd::function<%s(", formals->ResultCpp(false).c_str());
    formals->WriteParams(f, false);
    f.Cpp(")> %s;\n", CppId(name).c_str());
}

// Name = [&](<parameters>) -> <result> { ... };
void CProcedure::WriteLocalDef(CCppOutput& f)
{
    f.Cpp("//PROCEDURE %s\n", name.c_str());
    f.Cpp("\t%s = [&](", CppId(name).c_str());
    formals->WriteParams(f, false);
    f.Cpp(") -> %s {\n", formals->ResultCpp(false).c_str());
    WriteBodyText(f);
    f.Cpp("\t};\n//END %s;\n", name.c_str());
}

// ---- What a body changes ----

static bool IsScalarOrReference(int kind)
{
    return kind == kindSetVar || kind == kindBoolVar || kind == kindCharVar || IsNumericVarKind(kind) ||
           kind == kindPointerVar || kind == kindProcedureVar;
}

// The procedure whose body `scope` belongs to, or nullptr in the module body.
static CProcedureBase* BodyOwner(CBaseName* scope)
{
    return As<CProcedureBase>(EnclosingProcedure(scope));
}

void NoteChange(CBaseName* scope, CBaseName* base, bool indirect)
{
    if (auto* array = As<CArrayVar>(base)) array->changed = true;
    CProcedureBase* proc = BodyOwner(scope);
    if (!proc) return;
    // A whole variable of a scalar, pointer or procedure type is no part of any array; the
    // procedure's own locals and value parameters are no part of its caller's arrays.
    auto* var = As<CBaseVar>(base);
    bool safe = var && !var->isVar && !indirect && (base->parent == proc || IsScalarOrReference(base->kind));
    if (safe) return;
    // The procedure's own VAR parameter of an array or basic type: its extent is known where
    // the value arrays are copied.
    bool kindKnown = var && (var->kind == kindArrayVar || (IsScalarOrReference(var->kind) &&
                                                           var->kind != kindPointerVar &&
                                                           var->kind != kindProcedureVar));
    if (var && var->isVar && !indirect && base->parent == proc && kindKnown) {
        auto& list = proc->changedVarParams;
        if (std::find(list.begin(), list.end(), var) == list.end()) list.push_back(var);
        return;
    }
    proc->reachesOut = true;
}

void NoteCall(CBaseName* scope, CBaseName* callee)
{
    CProcedureBase* proc = BodyOwner(scope);
    if (!proc) return;
    if (callee && IsProcedureKind(callee->kind))
        for (CBaseName* p = callee->parent; p; p = p->parent)
            if (p == proc) return;
    // A procedure of this module with a body of its own and no receiver (which a procedure of
    // an extension could replace) is asked later; anything else may change anything.
    if (callee && callee->kind == kindProcedure && !To<CProcedureBase>(callee)->receiver) {
        proc->callees.push_back(To<CProcedureBase>(callee));
        return;
    }
    proc->reachesOut = true;
}

bool CProcedureBase::ReachesOut() const
{
    if (reachesOut || asked) return true;
    asked = true;
    bool reaches = false;
    for (auto& decl : locals->decls)
        if (auto* local = As<CProcedureBase>(decl.get()); !reaches && local) reaches = local->ReachesOut();
    for (const CProcedureBase* callee : callees)
        if (!reaches) reaches = callee->ReachesOut();
    asked = false;
    return reaches;
}

// The caller passes a value array as VYK_ARR_<name>. A procedure that can change neither it nor
// anything else outside (NoteChange) works on the caller's array; otherwise it works on a copy:
// a fixed-length array in a local array, an open array in a VYK_ARRAY_COPY (on the stack when
// small).
// "VYK_OVERLAP(<value array>, <its bytes>, <VAR parameter>, <its bytes>)" for each VAR parameter
// that the body changes, joined by " || ".
static std::string OverlapText(const CArrayVar& array, const std::vector<const CBaseVar*>& changed)
{
    std::string bytes = "sizeof(*VYK_ARR_" + array.name + ")";
    for (int a = 0; a < array.type->Dimensions(); ++a)
        bytes += " * size_t(VYK_ARR_" + std::to_string(a) + "_" + array.name + ")";
    std::string text;
    for (const CBaseVar* par : changed) {
        std::string id = CppId(par->name);
        std::string other = "&" + id + ", sizeof(" + id + ")";
        if (auto* var = As<CArrayVar>(par)) {
            other = id + ", sizeof(*" + id + ")";
            if (var->Length() != 0) other += " * " + std::to_string(var->type->length);
            else
                for (int a = 0; a < var->type->Dimensions(); ++a)
                    other += " * size_t(VYK_ARR_" + std::to_string(a) + "_" + par->name + ")";
        }
        if (!text.empty()) text += " || ";
        text += "VYK_OVERLAP(VYK_ARR_" + array.name + ", " + bytes + ", " + other + ")";
    }
    return text;
}

void CProcedure::WriteValueArrayCopies(CCppOutput& f)
{
    if (!formals->valueArray) return;
    const bool reaches = ReachesOut();
    f.Up();
    f.Indent();
    f.Cpp("//arrays initialisation\n");
    for (auto& par : formals->params) {
        auto* array = As<CArrayVar>(par.get());
        if (!array || array->isVar) continue;
        std::string id = CppId(array->name);
        CArrayType* type = array->type.get();
        f.Indent();
        if (!array->changed && !reaches && changedVarParams.empty()) {
            if (array->Length() != 0) f.Cpp("auto %s = VYK_ARR_%s;\n", id.c_str(), array->name.c_str());
            else f.Cpp("%s *%s = VYK_ARR_%s;\n", ArrayElementCppName(type, false).c_str(), id.c_str(),
                       array->name.c_str());
            continue;
        }
        if (array->Length() != 0) {
            array->WriteCPP(f);
            f.Cpp(";\n{");
            int dims = type->Dimensions();
            for (int i = 0; i < dims; ++i) {
                const CArrayType* dim = type;
                for (int k = 0; k < i; ++k) dim = To<CArrayType>(dim->elem.get());
                f.Cpp("\n\tfor(int VYK_I_%i = 0; VYK_I_%i < %i; ++VYK_I_%i)", i, i, dim->length, i);
            }
            f.Cpp(" %s", id.c_str());
            for (int i = 0; i < dims; ++i) f.Cpp("[VYK_I_%i]", i);
            f.Cpp(" = VYK_ARR_%s", array->name.c_str());
            for (int i = 0; i < dims; ++i) f.Cpp("[VYK_I_%i]", i);
            f.Cpp(";\n}\n");
            continue;
        }
        std::string elem = ArrayElementCppName(type, false);
        f.Cpp("VYK_ARRAY_COPY<%s> VYK_COPY_%s(VYK_ARR_%s, long(VYK_ARR_0_%s)", elem.c_str(), array->name.c_str(),
              array->name.c_str(), array->name.c_str());
        for (int a = 1; a < type->Dimensions(); ++a) f.Cpp(" * VYK_ARR_%i_%s", a, array->name.c_str());
        // Changed only through VAR parameters: copied only when it lies where one of them does.
        if (!array->changed && !reaches) f.Cpp(", %s", OverlapText(*array, changedVarParams).c_str());
        f.Cpp(");\n");
        f.Indent();
        f.Cpp("%s *%s = VYK_COPY_%s.data;\n", elem.c_str(), id.c_str(), array->name.c_str());
    }
    f.Down();
}

void CProcedure::WriteEpilogue(CCppOutput& f)
{
    if (returnReach != retNone) {
        f.Indent();
        f.Cpp("\tVYK_RETURN:;\n");
    }
}

void CForwardProc::WriteCPP(CCppOutput& f)
{
    std::string id = CppId(name);
    f.Cpp("//PROCEDURE^ %s%s%s\n", receiver ? receiver->typeName.c_str() : "", receiver ? "." : "",
          name.c_str());
    // A member function is declared by its struct; C++ allows no second declaration outside.
    if (receiver || IsLocal()) return;
    bool hidden = !exported;
    if (hidden) f.Cpp("%s", HiddenNamespaceCpp(this).c_str());
    f.Cpp("%s", ResultText(*this, false).c_str());
    if (exported) {
        f.Hdr("//PROCEDURE %s%s%s\n%s%s(", "", "", name.c_str(), ResultText(*this, true).c_str(),
              id.c_str());
        f.Cpp("::%s::", CppId(GetOwningModule(this)->name).c_str());
    }
    f.Cpp("%s(", id.c_str());
    formals->WriteParams(f, false);
    f.Cpp(");\n");
    if (exported) {
        formals->WriteParams(f, true);
        f.Hdr(");\n");
    }
    if (hidden) f.Cpp("}\n");
}

// Module level: "\n" and the separator line before each procedure; the procedure writes the
// rest. Procedures of definition modules write nothing.
void WriteProcedureSection(CCppOutput& f, CDeclSeq& seq)
{
    for (auto& decl : seq.decls) {
        CProcedureBase* proc = AsProcedure(decl.get());
        if (!proc || proc->kind == kindDfnProc) continue;
        f.Cpp("\n%s", kRuleLine);
        proc->WriteCPP(f);
    }
}

// ---- Definition text ----

// PROCEDURE [(VAR r : T) ]Name (
// 	a : INTEGER;
// 	VAR b : CHAR
// ) : INTEGER
void CProcedure::WriteDFN(CDfnOutput& f)
{
    f.Dfn("PROCEDURE ");
    if (receiver)
        f.Dfn("(%s%s : %s) ", receiver->isVar ? "VAR " : "", receiver->name.c_str(),
              receiver->typeName.c_str());
    f.Dfn("%s (\n", name.c_str());
    if (!formals->params.empty()) {
        f.Indent();
        std::string separator = ";\n" + std::string(size_t(f.level), '\t');
        formals->WriteParamsDFN(f, separator.c_str());
    }
    f.Dfn("\n)");
    if (formals->result) f.Dfn(" : %s", formals->result->DfnText().c_str());
}

void WriteProcedureDFN(CDfnOutput& f, CDeclSeq& seq)
{
    for (auto& decl : seq.decls) {
        CProcedureBase* proc = AsProcedure(decl.get());
        if (!proc || !proc->exported || (proc->kind != kindProcedure && proc->kind != kindCommonProc)) continue;
        f.Dfn("\n");
        proc->WriteDFN(f);
        f.Dfn(";");
    }
}
