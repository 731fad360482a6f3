// Common and handler procedures: reading (the common-procedure reader hands a declaration over
// to the handler reader when it meets "." after the name, "<" after a parameter name, or a
// specialized parameter type), the C++ text of the dispatch and of the handlers, their
// definition text, and the CProc/CPar and HProc/SPar elements of the link description.
#include "decl/CommonProc.h"

#include "decl/DeclSeq.h"
#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "emit/Output.h"
#include "decl/CommonType.h"
#include "code/CommonTypeUses.h"
#include "CppIdent.h"
#include "GeneratedNames.h"
#include "decl/StructVars.h"

namespace {
// Internal signal: the declaration is a handler; the caller restores the position.
constexpr int sigHandOver = sigSignal2;

// The number of handler procedures created in this run; the next handler's UID.
int handlerCount = 0;

bool InList(const std::vector<std::unique_ptr<CBaseVar>>* list, const CBaseName* var)
{
    if (!list) return false;
    for (const auto& v : *list)
        if (v.get() == var) return true;
    return false;
}

bool Declared(const std::vector<std::unique_ptr<CBaseVar>>& list, const std::string& id)
{
    for (const auto& v : list)
        if (v->name == id) return true;
    return false;
}

// The common type a common parameter stands for: the type itself, or the one a pointer
// parameter points to.
CCommonType* ParamCommonType(const CBaseVar& par)
{
    if (auto* common = As<CCommonVar>(&par)) return common->Common();
    return PointedCommonType(const_cast<CBaseVar*>(&par));
}

// The formal parameters forwarded to the handler, each followed by ", ": value arrays by
// their incoming name, open arrays with one length per dimension.
void WriteForwardedFormals(CCppOutput& f, const CFormalPars& formals)
{
    for (const auto& par : formals.params) {
        bool valueArray = par->kind == kindArrayVar && !par->isVar;
        f.Cpp("%s%s, ", valueArray ? "VYK_ARR_" : "", valueArray ? par->name.c_str() : CppId(par->name).c_str());
        auto* array = As<CArrayVar>(par.get());
        if (!array || array->Length() != 0) continue;
        int i = 0;
        for (const CArrayType* d = array->type.get(); d; d = As<CArrayType>(d->elem.get()), ++i) {
            int length = d->length;
            if (length != 0) f.Cpp("%i, ", length);
            else f.Cpp("VYK_ARR_%i_%s, ", i, par->name.c_str());
        }
    }
}

void WriteParamList(CCppOutput& f, bool toHeader, CFormalPars& formals,
                    const std::vector<std::unique_ptr<CBaseVar>>& common)
{
    formals.WriteParams(f, toHeader);
    const char* separator = formals.params.empty() ? "" : ", ";
    for (const auto& par : common) {
        f.To(toHeader, "%s", separator);
        par->WriteCPP_par(f, toHeader);
        separator = ", ";
    }
}

// ":" type after "}" and the formal parameters; a result on both sides gives 101.
int ReadResultAndFormals(CLexBuf& lb, CProcedureBase& proc, SCommonPars& pars)
{
    if (lb.Accept(symColon)) {
        pars.result = std::make_unique<CQualident>();
        if (int err = ReadTypeReference(lb, proc.parent, *pars.result)) return err;
    }
    if (int err = proc.formals->Init(lb)) return err;
    if (pars.result && proc.formals->result) return errFunctionTypeTwice;
    if (pars.result) proc.formals->result = std::move(pars.result);
    return errOK;
}

// A common section: [VAR] ident {"," ident} ":" type, where the type is a common type with
// VAR or a pointer to one without. `lenient` reads definition files, which hold no handlers.
int ReadCommonSection(CLexBuf& lb, CProcedureBase& proc, SCommonPars& pars)
{
    bool byRef = lb.Accept(symVAR);
    std::vector<std::string> names;
    int code = 0;
    for (;;) {
        std::string id;
        if (int err = lb.ExpectIdent(id, errIdentExpected)) return err;
        if (Declared(pars.params, id)) return errMultiplyDefinedIdent;
        for (const auto& n : names)
            if (n == id) return errMultiplyDefinedIdent;
        names.push_back(id);
        if (!lb.NextSymbol(code)) return errColonMissing;
        if (code == symLss) return sigHandOver;
        if (code == symColon) break;
        if (code != symComma) return errColonMissing;
    }
    std::unique_ptr<CBaseType> type;
    if (int err = ParseType(lb, proc.parent, type)) return err;
    CBaseName* t = ResolveType(type.get());
    if (!t) return errCommonTypeExpected;
    if (t->kind == kindSpecType) return sigHandOver;
    if (auto* pointerType = As<CPointerType>(t)) {
        CBaseName* base = pointerType->Base();
        if (!base || base->kind != kindCommonType) return errCommonTypeExpected;
        if (byRef) return errCommonParamNotPointerOrVar;
    } else if (t->kind == kindCommonType) {
        if (!byRef) return errCommonParamNotPointerOrVar;
    } else {
        return errCommonTypeExpected;
    }
    for (const auto& n : names) {
        std::unique_ptr<CBaseVar> v = type->CreateVar(&proc);
        v->name = n;
        v->isVar = byRef;
        pars.params.push_back(std::move(v));
    }
    return errOK;
}

// "{" section {";" section} "}"
int ReadCommonSections(CLexBuf& lb, CProcedureBase& proc, SCommonPars& pars,
                       int (*section)(CLexBuf&, CProcedureBase&, SCommonPars&))
{
    int code = 0;
    for (;;) {
        if (int err = section(lb, proc, pars)) return err;
        if (!lb.NextSymbol(code)) return errRbraceMissing;
        if (code == symRbrace) return errOK;
        if (code != symSemicolon) return errRbraceMissing;
    }
}

// The specialization brackets after a special parameter name: "<" [qualident] ">".
struct SBracket {
    bool present = false;
    std::string qualifier, name;
};

int ReadBracket(CLexBuf& lb, CBaseName* scope, SBracket& b)
{
    b.present = lb.Accept(symLss);
    if (!b.present) return errOK;
    if (lb.Accept(symGtr)) return errOK;
    if (int err = ReadQualifiedName(lb, scope, b.qualifier, b.name)) return err;
    return lb.Expect(symGtr, errGtrMissing);
}

// Special parameters bound to specializations of an anonymous common type: variables of that
// type, written in C++ with the pointer type's name (a synonym of the common type's struct).
int ReadAnonymousSpecials(CProcedureBase& proc, SCommonPars& pars, const CBaseType& pointer,
                          const CCommonType& common, bool byRef,
                          const std::vector<std::pair<std::string, SBracket>>& names)
{
    for (const auto& [id, b] : names) {
        auto v = std::make_unique<CCommonVar>(&proc);
        v->anonType = To<CCommonType>(common.CloneType(common.parent));
        const auto& ref = To<CQualidentType>(pointer).ref;
        v->typeName = ref.name;
        v->typeModule = ref.qualifier;
        v->name = id;
        v->isVar = byRef;
        bool isDefault = b.qualifier.empty() && b.name.empty();
        if (int err = v->SetSpecialization(b.qualifier, b.name, isDefault)) return err;
        pars.params.push_back(std::move(v));
    }
    return errOK;
}

// [VAR] ident ["<" ... ">"] {"," ident ["<" ... ">"]} ":" type: with brackets the type is a
// common type and each name is bound to its bracket; without, a specialized type.
int ReadSpecialSection(CLexBuf& lb, CProcedureBase& proc, SCommonPars& pars)
{
    bool byRef = lb.Accept(symVAR);
    std::vector<std::pair<std::string, SBracket>> names;
    int code = 0;
    for (;;) {
        std::string id;
        if (int err = lb.ExpectIdent(id, errIdentExpected)) return err;
        if (Declared(pars.params, id)) return errMultiplyDefinedIdent;
        for (const auto& n : names)
            if (n.first == id) return errMultiplyDefinedIdent;
        SBracket b;
        if (int err = ReadBracket(lb, proc.parent, b)) return err;
        if (!names.empty() && names.front().second.present != b.present) return errLssMissing;
        names.emplace_back(id, b);
        if (!lb.NextSymbol(code)) return errColonMissing;
        if (code == symColon) break;
        if (code != symComma) return errColonMissing;
    }
    std::unique_ptr<CBaseType> type;
    if (int err = ParseType(lb, proc.parent, type)) return err;
    CBaseName* t = ResolveType(type.get());
    bool brackets = names.front().second.present;
    // A common type written in place behind a pointer is known by the pointer type's name.
    CCommonType* anon = nullptr;
    if (auto* pointerType = As<CPointerType>(t); brackets && pointerType) {
        auto* base = As<CCommonType>(pointerType->Base());
        if (base && base->name.empty()) anon = base;
    }
    if (anon && type->kind == kindQualidentType)
        return ReadAnonymousSpecials(proc, pars, *type, *anon, byRef, names);
    if (brackets && (!t || t->kind != kindCommonType)) return errCommonTypeExpected;
    if (!brackets && (!t || t->kind != kindSpecType)) return errSpecializedTypeExpected;
    for (const auto& [id, b] : names) {
        std::unique_ptr<CBaseVar> v = type->CreateVar(&proc);
        auto* c = As<CCommonVar>(v.get());
        if (!c) return errCommonTypeExpected;
        v->name = id;
        v->isVar = byRef;
        if (brackets) {
            bool isDefault = b.qualifier.empty() && b.name.empty();
            if (int err = c->SetSpecialization(b.qualifier, b.name, isDefault)) return err;
        }
        pars.params.push_back(std::move(v));
    }
    return errOK;
}

// END and the procedure name close a body.
int ReadNameAfterName(CLexBuf& lb, std::string& qualifier, std::string& name, CBaseName* scope)
{
    int code = 0;
    if (int err = lb.ExpectIdent(name, errIdentExpected)) return err;
    SLexPos pos = lb.SavePos();
    if (!lb.NextSymbol(code)) return errNoHandlerCommonParams;
    if (code != symPeriod) {
        lb.RestorePos(pos);
        return errOK;
    }
    qualifier = name;
    CBaseName* entry = FindUnqualified(scope, qualifier);
    if (!entry) return errUndeclaredIdent;
    if (entry->kind != kindImport) return errNotAModule;
    return lb.ExpectIdent(name, errIdentExpected);
}

const char* ResultWord(const CProcedureBase& proc, bool inHeader, std::string& buffer)
{
    buffer = proc.formals->ResultCpp(inHeader) + " ";
    return buffer.c_str();
}
}  // namespace

const CBaseVar* SCommonPars::Find(const std::string& id) const
{
    for (const auto& v : params)
        if (v->name == id) return v.get();
    return nullptr;
}

// ---- CCommonProc ----

CCommonProc::CCommonProc(CBaseName* parent) : CProcedure(parent) { kind = kindCommonProc; }

CBaseName* CCommonProc::FindName(const std::string& id)
{
    if (CBaseName* found = CProcedure::FindName(id)) return found;
    return const_cast<CBaseVar*>(common.Find(id));
}

// IdentDef "{" sections "}" [":" type] [FormalParameters] (";" | ":=" "0")
int CCommonProc::Init(CLexBuf& lb)
{
    CBareName ident(parent, false);
    if (int err = ident.Init(lb)) return err;
    name = ident.name;
    exported = ident.exported;
    if (lb.Accept(symPeriod)) return sigHandOver;
    if (!lb.Accept(symLbrace)) return errNoCommonParams;
    if (int err = ReadCommonSections(lb, *this, common, ReadCommonSection)) return err;
    if (int err = ReadResultAndFormals(lb, *this, common)) return err;
    for (const auto& par : common.params)
        if (formals->FindParam(par->name)) return errCommonParamRedefined;
    int code = 0;
    std::string text;
    if (lb.Accept(symBecomes)) {
        if (!lb.NextSymbol(code, text) || code != symInteger || text != "0") return errZeroMissing;
        hasDefaultHandler = false;
        return errOK;
    }
    return lb.Expect(symSemicolon, errSemicolonMissing);
}

void CCommonProc::WriteSelection(CCppOutput& f)
{
    std::string buffer;
    const bool function = formals->ResultKind() != 0;
    f.Cpp("\t//handler selection\n\ttypedef %s(*VYK_TYPE) (", ResultWord(*this, false, buffer));
    WriteParamList(f, false, *formals, common.params);
    f.Cpp(");\n\tVYK_TYPE VYK_PROC;\n\tVYK_PROC = (VYK_TYPE)%s(",
          vykname::DispatchFunction(GetOwningModule(this)->name, name).c_str());
    for (size_t i = 0; i < common.params.size(); ++i)
        f.Cpp("%s%s", i ? ", " : "", CppId(common.params[i]->name).c_str());
    f.Cpp(");\n\tif (VYK_PROC) %sVYK_PROC(", function ? "return " : "{\n\t\t");
    WriteForwardedFormals(f, *formals);
    for (size_t i = 0; i < common.params.size(); ++i)
        f.Cpp("%s%s", i ? ", " : "", CppId(common.params[i]->name).c_str());
    f.Cpp(");\n");
    if (!function) f.Cpp("\t\treturn;\n\t}\n");
}

// A program that finds no handler and has no default handler stops with a message.
static void WriteNoHandler(CCppOutput& f, const std::string& module, const std::string& name)
{
    f.Cpp("\t//default handler absent\n");
    f.Cpp("\tfputs(\"VYK: no handler of common procedure %s.%s\\n\", stderr);\n", module.c_str(), name.c_str());
    f.Cpp("\texit(%i);\n", kExitNoHandler);
}

void CCommonProc::WriteCPP(CCppOutput& f)
{
    std::string buffer;
    std::string id = CppId(name);
    const std::string& module = GetOwningModule(this)->name;
    WriteLink(f);
    f.Cpp("//COMMON PROCEDURE %s\n", name.c_str());
    if (!hasDefaultHandler) f.Cpp("#include <stdio.h>\n");
    if (!exported) f.Cpp("namespace {\n");
    f.Cpp("%s", ResultWord(*this, false, buffer));
    if (exported) {
        f.Hdr("//COMMON PROCEDURE %s\n%s%s(", name.c_str(), ResultWord(*this, true, buffer), id.c_str());
        f.Cpp("%s::", CppId(module).c_str());
    }
    f.Cpp("%s(", id.c_str());
    WriteParamList(f, false, *formals, common.params);
    f.Cpp(") {\n");
    if (exported) {
        WriteParamList(f, true, *formals, common.params);
        f.Hdr(");\n");
    }
    WriteSelection(f);
    if (hasDefaultHandler) WriteBodyText(f);
    else WriteNoHandler(f, module, name);
    if (!exported) f.Cpp("}");
    f.Cpp("}\n//END %s;\n", name.c_str());
}

// <CProc Name="P" [DefH="yes"]> <CPar [Qual="M"] Name="T" /> ... </CProc>
void CCommonProc::WriteLink(CCppOutput& f)
{
    f.Vyl("\t<CProc Name=\"%s\"%s>\n", name.c_str(), hasDefaultHandler ? " DefH=\"yes\"" : "");
    for (const auto& par : common.params) {
        CCommonType* c = ParamCommonType(*par);
        if (!c) continue;
        f.Vyl("\t\t<CPar");
        std::string module = GetModuleName(c);
        if (!module.empty()) f.Vyl(" Qual=\"%s\"", module.c_str());
        // An anonymous common type has the name of the pointer type declared with it.
        const std::string& caseName = c->name.empty() ? par->typeName : c->name;
        f.Vyl(" Name=\"%s\" />\n", caseName.c_str());
    }
    f.Vyl("\t</CProc>\n");
}

// PROCEDURE P {
// 	VAR s : Shape
// }(
// 	x : INTEGER
// ) : REAL
void CCommonProc::WriteDFN(CDfnOutput& f)
{
    f.Dfn("PROCEDURE %s {\n", name.c_str());
    for (size_t i = 0; i < common.params.size(); ++i) {
        if (i) f.Dfn(";\n");
        f.Indent();
        if (common.params[i]->isVar) f.Dfn("VAR ");
        common.params[i]->WriteDFN(f);
    }
    f.Dfn("\n}");
    if (!formals->params.empty()) {
        f.Dfn("(\n");
        f.Indent();
        std::string separator = ";\n" + std::string(size_t(f.level), '\t');
        formals->WriteParamsDFN(f, separator.c_str());
        f.Dfn("\n)");
    }
    if (formals->result) f.Dfn(" : %s", formals->result->DfnText().c_str());
}

// ---- CDfnCommonProc ----

CBaseName* CDfnCommonProc::FindName(const std::string& id)
{
    if (CBaseName* found = CProcedureBase::FindName(id)) return found;
    return const_cast<CBaseVar*>(common.Find(id));
}

int CDfnCommonProc::Init(CLexBuf& lb)
{
    CBareName ident(parent, false);
    if (int err = ident.Init(lb)) return err;
    name = ident.name;
    exported = true;
    if (lb.Accept(symPeriod)) return errHandlerInDfn;
    if (!lb.Accept(symLbrace)) return errNoCommonParams;
    int err = ReadCommonSections(lb, *this, common, ReadCommonSection);
    if (err == sigHandOver) return errHandlerInDfn;
    if (err) return err;
    return ReadResultAndFormals(lb, *this, common);
}

// ---- CHandlerProc ----

CHandlerProc::CHandlerProc(CBaseName* parent) : CProcedure(parent) { kind = kindHandlerProc; }

CBaseName* CHandlerProc::FindName(const std::string& id)
{
    if (id == name && served) return served;
    return CProcedure::FindName(id);
}

// [ident "."] ident "{" special sections "}" [":" type] [FormalParameters] ";"
int CHandlerProc::Init(CLexBuf& lb)
{
    if (int err = ReadNameAfterName(lb, qualifier, name, parent)) return err;
    served = GetGlobalName(parent, qualifier, name);
    if (!served || (served->kind != kindCommonProc && served->kind != kindDfnCommonProc))
        return errHandlerNotBound;
    int code = 0;
    SLexPos pos = lb.SavePos();
    if (!lb.NextSymbol(code)) return errNoHandlerCommonParams;
    if (code == symTimes || code == symMinus) return errIllegallyMarkedIdent;
    if (code != symLbrace) {
        lb.RestorePos(pos);
        return errNoHandlerCommonParams;
    }
    if (int err = ReadCommonSections(lb, *this, special, ReadSpecialSection)) return err;
    if (int err = ReadResultAndFormals(lb, *this, special)) return err;
    auto* common = To<CProcedureBase>(served);
    // The dispatch calls the handler through the common procedure's signature.
    if (formals->params.size() != common->formals->params.size()) return errParamCountMismatch;
    for (size_t i = 0; i < formals->params.size(); ++i) {
        const CBaseVar& mine = *formals->params[i];
        const CBaseVar& theirs = *common->formals->params[i];
        if (mine.kind != theirs.kind || mine.isVar != theirs.isVar) return errParamMismatch;
    }
    if (formals->ResultKind() != common->formals->ResultKind()) return errParamMismatch;
    if (special.params.size() < size_t(common->CommonParamCount())) return errTooFewCommonArgs;
    if (special.params.size() > size_t(common->CommonParamCount())) return errTooManyCommonArgs;
    for (const auto& par : special.params) {
        if (formals->FindParam(par->name)) return errHandlerCommonParamRedefined;
        formals->params.push_back(par->CloneVar(this));
    }
    uid = handlerCount++;
    return lb.Expect(symSemicolon, errSemicolonMissing);
}

void CHandlerProc::WriteCPP(CCppOutput& f)
{
    std::string buffer;
    const std::string module = CppId(GetOwningModule(this)->name);
    WriteLink(f);
    f.Cpp("//HANDLER PROCEDURE %s\n", servedName.c_str());
    f.Hdr("//HANDLER PROCEDURE %s\n", servedName.c_str());
    f.Cpp("%s", ResultWord(*this, false, buffer));
    f.Hdr("%s", ResultWord(*this, true, buffer));
    const std::string handler = vykname::HandlerFunction(servedName, uid);
    f.Cpp("%s::%s(", module.c_str(), handler.c_str());
    f.Hdr("%s(", handler.c_str());
    formals->WriteParams(f, false);
    f.Cpp(") {\n");
    formals->WriteParams(f, true);
    f.Hdr(");\n");
    // Inside the handler its name is the common procedure, also when that is imported.
    if (!qualifier.empty()) f.Cpp("\tusing %s::%s;\n", CppId(qualifier).c_str(), CppId(servedName).c_str());
    WriteBodyText(f);
    f.Cpp("}\n//END %s;\n", servedName.c_str());
}

void CHandlerProc::WriteDFN(CDfnOutput&) { throw error_Internal("CHandlerProc::WriteDFN"); }

// <HProc [Qual="M"] Name="P" UID="0"> <SPar Tag="t" /> | <SPar Qual="M" Name="R" /> </HProc>
void CHandlerProc::WriteLink(CCppOutput& f)
{
    f.Vyl("\t<HProc ");
    if (!qualifier.empty()) f.Vyl("Qual=\"%s\" ", GetOwningModule(served)->name.c_str());
    f.Vyl("Name=\"%s\" UID=\"%i\">\n", servedName.c_str(), uid);
    for (const auto& par : special.params) {
        auto* v = To<CCommonVar>(par.get());
        f.Vyl("\t\t<SPar");
        CCommonType* c = v->Common();
        if (c && !c->TypeTagged()) {
            f.Vyl(" Tag=\"%s\"", v->specTag.c_str());
        } else {
            // The module that declares the specialization type, as the Spec element names it.
            const std::string own = vykname::SpecSuffixModule(v->specId, v->specTypeName);
            f.Vyl(" Qual=\"%s\" Name=\"%s\"", own.c_str(), v->specTypeName.c_str());
        }
        f.Vyl(" />\n");
    }
    f.Vyl("\t</HProc>\n");
}

// ---- readers called by the declaration sequence ----

bool IsCommonProcedureAhead(CLexBuf& lb)
{
    SLexPos pos = lb.SavePos();
    int code = 0;
    bool ahead = lb.NextSymbol(code) && code == symIdent;
    if (ahead && lb.NextSymbol(code) && (code == symTimes || code == symMinus)) ahead = lb.NextSymbol(code);
    ahead = ahead && (code == symLbrace || code == symPeriod);
    lb.RestorePos(pos);
    return ahead;
}

int ReadCommonProcedure(CLexBuf& lb, CDeclSeq& seq)
{
    // Dispatch joins procedures of the whole program; one inside a procedure could not be
    // reached by the linker's dispatch function.
    if (seq.owner && IsProcedureKind(seq.owner->kind)) return errIllegallyMarkedIdent;
    SLexPos start = lb.SavePos();
    auto proc = std::make_unique<CCommonProc>(seq.owner);
    int err = proc->Init(lb);
    if (err == sigHandOver) {
        lb.RestorePos(start);
        auto handler = std::make_unique<CHandlerProc>(seq.owner);
        if (int herr = handler->Init(lb)) return herr;
        CHandlerProc* raw = handler.get();
        seq.AddName(std::move(handler));
        if (int berr = raw->ReadBlock(lb)) return berr;
        // Known by its common procedure only, it takes no name of the module: a procedure of
        // the same name may follow.
        raw->servedName = raw->name;
        raw->name.clear();
        return errOK;
    }
    if (err) return err;
    if (seq.FindName(proc->name)) return errMultiplyDefinedIdent;
    CCommonProc* raw = proc.get();
    seq.AddName(std::move(proc));
    return raw->hasDefaultHandler ? raw->ReadBlock(lb) : errOK;
}

int ReadCommonProcedureHeading(CLexBuf& lb, CDeclSeq& seq)
{
    auto proc = std::make_unique<CDfnCommonProc>(seq.owner);
    if (int err = proc->Init(lb)) return err;
    if (seq.FindName(proc->name)) return errMultiplyDefinedIdent;
    seq.AddName(std::move(proc));
    return errOK;
}

const std::vector<std::unique_ptr<CBaseVar>>* CommonParamList(CBaseName* proc)
{
    if (!proc) return nullptr;
    if (auto* common = As<CCommonProc>(proc)) return &common->common.params;
    if (auto* dfnCommon = As<CDfnCommonProc>(proc)) return &dfnCommon->common.params;
    return nullptr;
}

// ---- how C++ holds a common-type variable ----

// Defined with the procedures, whose parameter lists it reads: every user of common types links
// this file through it, and with it the readers that replace the procedures' defaults.
bool IsCommonPointer(const CBaseName* var)
{
    const auto* common = As<CCommonVar>(var);
    if (!common) return false;
    if (common->isVar) return true;
    CBaseName* owner = var->parent;
    auto* proc = As<CProcedureBase>(owner);
    if (!proc) return false;
    if (InList(&proc->formals->params, var)) return true;
    if (InList(CommonParamList(owner), var)) return true;
    auto* handler = As<CHandlerProc>(owner);
    return handler && InList(&handler->special.params, var);
}
