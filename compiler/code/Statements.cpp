// Statement sequences, the statement factory, assignment, IF and RETURN. The body of every
// procedure and the module's initialisation part are statement sequences; they are parsed
// once, checked on the way, and written into the module's .cpp file after the whole module
// has been read. The return state tells the procedure writer whether RETURN reaches the end.
#include "code/Statements.h"

#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "decl/Module.h"
#include "emit/Output.h"
#include "code/Call.h"
#include "code/Case.h"
#include "code/Compat.h"
#include "code/Designator.h"
#include "code/Loops.h"
#include "GeneratedNames.h"
#include "code/StdProcs.h"
#include "code/With.h"
#include "CppIdent.h"
#include "decl/Procedures.h"
#include "decl/StructVars.h"
#include "decl/Types.h"
#include "decl/Vars.h"
#include "decl/CommonType.h"
#include "code/CommonTypeUses.h"

int CombineReturnStates(const std::vector<int>& states)
{
    bool anyAll = false, anyNone = false;
    for (int s : states) {
        if (s == retSome) return retSome;
        if (s == retAll) anyAll = true;
        else anyNone = true;
    }
    if (!anyAll) return retNone;
    return anyNone ? retSome : retAll;
}

int ReadEnd(CLexBuf& lb)
{
    return lb.Expect(symEND, errEndMissing);
}

int ReadStatementSeq(CLexBuf& lb, CBaseName* scope, std::unique_ptr<CStatementSeq>& seq)
{
    seq = std::make_unique<CStatementSeq>(scope);
    return seq->Init(lb);
}

CBaseName* EnclosingProcedure(CBaseName* scope)
{
    for (CBaseName* s = scope; s; s = s->parent)
        if (IsProcedureKind(s->kind)) return s;
    return nullptr;
}

// ---- Statement sequence ----

int CStatementSeq::Init(CLexBuf& lb)
{
    for (;;) {
        if (int err = ReadStatement(lb)) return err;
        if (!lb.Accept(symSemicolon)) return errOK;
    }
}

void CStatementSeq::WriteCPP(CCppOutput& f)
{
    f.Up();
    for (auto& statement : statements) {
        statement->WriteCPP(f);
        f.Cpp(";\n");
    }
    f.Down();
}

int CStatementSeq::GetReturnState() const
{
    for (auto it = statements.rbegin(); it != statements.rend(); ++it)
        if (int state = (*it)->GetReturnState()) return state;
    return retNone;
}

static bool IsFunctionWord(int code)
{
    switch (code) {
    case symABS: case symASH: case symCAP: case symCHR: case symENTIER: case symLEN:
    case symLONG: case symMAX: case symMIN: case symODD: case symORD: case symSHORT:
    case symSIZE:
        return true;
    default:
        return false;
    }
}

// Statement = [Assignment | ProcedureCall | IfStatement | CaseStatement | WhileStatement |
//              RepeatStatement | ForStatement | LoopStatement | WithStatement | EXIT |
//              RETURN [Expression] | StandardProcedureCall].
int CStatementSeq::ReadStatement(CLexBuf& lb)
{
    CNestingGuard guard;   // statements nested deeper than the guard allows are refused
    SLexPos pos = lb.SavePos();
    int code = 0;
    if (!lb.NextSymbol(code) || (code >= symInteger && code <= symChar && code != symIdent) ||
        guard.TooDeep())
        return errStatementStart;
    std::unique_ptr<CSyntaxNode> node;
    switch (code) {
    case symIdent: {
        lb.RestorePos(pos);
        if (int err = ReadSystemStatement(lb, scope, node)) return err;
        if (node) break;
        auto designator = std::make_unique<CDesignator>(scope, false);
        designator->inStatement = true;
        if (int err = designator->Init(lb)) return err;
        if (designator->isCall)
            node = std::make_unique<CCall>(scope, std::move(designator), true);
        else
            node = std::make_unique<CAssignment>(scope, std::move(designator));
        break;
    }
    case symLbrace:
        lb.RestorePos(pos);
        node = std::make_unique<CCall>(scope, nullptr, true);
        break;
    case symIF: node = std::make_unique<CIfStatement>(scope); break;
    case symCASE: node = std::make_unique<CCaseStatement>(scope); break;
    case symWHILE: node = std::make_unique<CWhileStatement>(scope); break;
    case symREPEAT: node = std::make_unique<CRepeatStatement>(scope); break;
    case symFOR: node = std::make_unique<CForStatement>(scope); break;
    case symLOOP: node = std::make_unique<CLoopStatement>(scope); break;
    case symEXIT: node = std::make_unique<CExitStatement>(scope); break;
    case symWITH: node = std::make_unique<CWithStatement>(scope); break;
    case symRETURN: node = std::make_unique<CReturnStatement>(scope); break;
    default:
        if (IsFunctionWord(code)) return errFunctionCalledAsProc;
        node = CreateStdProcedure(code, scope);
        if (!node) {
            lb.RestorePos(pos);
            return errOK;   // empty statement
        }
    }
    if (int err = node->Init(lb)) return err;
    statements.push_back(std::move(node));
    return errOK;
}

// ---- Assignment ----

CAssignment::CAssignment(CBaseName* scope, std::unique_ptr<CDesignator> target)
    : CSyntaxNode(scope), target(std::move(target))
{
}

CAssignment::~CAssignment() = default;

// An array whose innermost elements are characters: assigned by COPY as a string.
static bool IsCharArrayTarget(CBaseName* decl)
{
    const CArrayType* array = ArrayOf(decl);
    return array && array->Innermost() && array->Innermost()->GetValueKind() == kindCharVar;
}

int CAssignment::Init(CLexBuf& lb)
{
    if (int err = lb.Expect(symBecomes, errBecomesMissing)) return err;
    if (target->readOnly) return errAssignToReadOnly;
    target->NoteChanged();
    CBaseName* decl = target->GetTarget();
    // Only variables (and elements or fields reached through them) can be assigned.
    if (!decl || IsConstVar(decl) ||
        (!IsVarKind(decl->kind) && !IsTypeKind(decl->kind)) || (decl == target->GetBase() && IsTypeKind(decl->kind)))
        return errAssignToConst;
    if (auto* common = As<CCommonVar>(decl)) specId = common->specId;
    if (decl->kind == kindCommonVar && specId.empty()) return errSpecializedTypeExpected;
    EKind kind = target->valueKind;
    copyMode = kind == kindArrayVar;
    int mode = kind == kindProcedureVar ? exprDesignatorOnly
             : kind == kindCharVar      ? exprCharContext
                                        : exprFull;
    value = std::make_unique<CExpr>(scope, mode, false);
    if (int err = value->Init(lb)) return err;
    if (int err = CheckKinds(decl)) return err;
    if (copyMode && kind == kindArrayVar && !IsCharArrayTarget(decl)) {
        copyMode = false;
        arrayCopy = true;
    }
    return copyMode ? CheckStringFits() : errOK;
}

// A string constant needs its characters and the terminating 0X in a target of fixed length
// (a variable, a field, a row of a two-dimensional array).
int CAssignment::CheckStringFits() const
{
    std::vector<std::string> lengths = target->LengthTexts();
    if (lengths.size() != 1 || lengths[0].empty() || lengths[0].find_first_not_of("0123456789") != std::string::npos)
        return errOK;
    std::unique_ptr<CBaseVar> text;
    if (value->EvalConst(text) != errOK || text->kind != kindArrayVar) return errOK;
    const auto& s = To<CArrayVar>(*text);
    return s.hasText && s.text.size() >= std::stoul(lengths[0]) ? errStringTooLong : errOK;
}

int CAssignment::CheckKinds(CBaseName* decl)
{
    int right = value->resultKind;
    if (decl->kind == kindCommonVar && right != kindRecordVar) return errIncompatibleAssignment;
    if (target->valueKind == kindPointerVar && right != kindPointerVar && right != kindArrayVar)
        return errIncompatibleAssignment;
    if (decl->kind == kindArrayVar && right != kindArrayVar && right != kindCharVar)
        return errIncompatibleAssignment;
    if (IsNumericVarKind(decl->kind) && !IncludesKind(decl->kind, right))
        return errIncompatibleAssignment;
    // An element or a field reached through a type stands for a variable of that type.
    std::unique_ptr<CBaseVar> element;
    const CBaseVar* to = As<CBaseVar>(decl);
    if (auto* type = As<CBaseType>(decl)) {
        element = type->CreateVar(scope);
        to = element.get();
    }
    if (to && to->kind == target->valueKind) return CheckAssignable(*to, *value, errIncompatibleAssignment);
    return errOK;
}

void CAssignment::WriteCPP(CCppOutput& f)
{
    if (copyMode) return WriteCopy(f);
    f.Indent();
    if (arrayCopy) {
        std::vector<std::string> lengths = target->LengthTexts(&f);
        if (f.checks) CheckSameLengths(f, lengths);
        f.Cpp("memcpy(");
        target->WriteCPP(f);
        f.Cpp(", ");
        value->WriteCPP(f);
        f.Cpp(", sizeof(%s)", target->ElementCppName().c_str());
        for (const std::string& length : lengths) f.Cpp(" * %s", length.c_str());
        f.Cpp(")");
        return;
    }
    if (!specId.empty()) f.Cpp("*");
    target->castAllowed = !target->selectors.empty();
    target->WriteCPP(f);
    if (!specId.empty()) f.Cpp("%s%s", CommonAccess(target->GetTarget()), vykname::SpecPointer(specId).c_str());
    f.Cpp(" = ");
    value->WriteCPP(f);
}

// Equal constant lengths were required when the assignment was read; a length known only at run
// time (an open array, an array made by NEW) is compared with the other side's before the copy.
void CAssignment::CheckSameLengths(CCppOutput& f, std::vector<std::string>& lengths) const
{
    CDesignator* source = SingleDesignator(*value);
    std::vector<std::string> theirs = source ? source->LengthTexts(&f) : std::vector<std::string>();
    if (theirs.size() != lengths.size()) return;
    for (size_t i = 0; i < lengths.size(); ++i)
        if (lengths[i] != theirs[i])
            lengths[i] = "VYK_SAMELEN(" + lengths[i] + ", " + theirs[i] + ", " + f.At(target->at) + ")";
}

// COPY(<right>, <size>, <target>, <size>); a single character is first made a string.
void CAssignment::WriteCopy(CCppOutput& f)
{
    f.Indent();
    CBaseName* right = value->GetDesignatedVar();
    if (value->resultKind == kindCharVar) {
        f.Cpp("{const char VYK_CH[2] = {");
        value->WriteCPP(f);
        f.Cpp(", 0}; COPY(VYK_CH, 2, ");
        target->WriteCPP(f);
        f.Cpp(", ");
        WriteArraySize(f, target->GetTarget(), *target);
        f.Cpp(");}");
        return;
    }
    f.Cpp("COPY(");
    value->WriteCPP(f);
    f.Cpp(", ");
    WriteArraySize(f, right, value.get());
    f.Cpp(", ");
    target->WriteCPP(f);
    f.Cpp(", ");
    // Under checks a string constant must fit, with its 0X, into a target whose length is known
    // only at run time (a constant length was checked when the assignment was read).
    // Its length is read through a NIL-checked pointer, so NIL traps with its place first.
    const CArrayType* to = ArrayOf(target->GetTarget());
    size_t text = f.checks && to && to->length == 0 ? ConstantTextSize() : 0;
    std::vector<std::string> lengths = text ? target->LengthTexts(&f) : std::vector<std::string>();
    if (lengths.size() == 1)
        f.Cpp("VYK_FITS(%zu, %s, %s)", text, lengths[0].c_str(), f.At(target->at).c_str());
    else
        WriteArraySize(f, target->GetTarget(), *target);
    f.Cpp(")");
}

// The characters of a string constant value and its 0X, or 0 for any other value.
size_t CAssignment::ConstantTextSize() const
{
    std::unique_ptr<CBaseVar> text;
    if (value->EvalConst(text) != errOK || !text || text->kind != kindArrayVar) return 0;
    const auto& s = To<CArrayVar>(*text);
    return s.hasText ? s.text.size() + 1 : 0;
}

// ---- IF ----

int CIfStatement::Init(CLexBuf& lb)
{
    for (;;) {
        auto cond = std::make_unique<CExpr>(scope, exprFull, false);
        if (int err = cond->Init(lb)) return err;
        if (cond->resultKind != kindBoolVar) return errIfNotBoolean;
        int code = 0;
        if (int err = lb.Expect(symTHEN, errThenMissing)) return err;
        std::unique_ptr<CStatementSeq> seq;
        if (int err = ReadStatementSeq(lb, scope, seq)) return err;
        branches.emplace_back(std::move(cond), std::move(seq));
        if (!lb.NextSymbol(code) || code < symPeriod) return errEndMissing;
        if (code == symELSIF) continue;
        if (code == symELSE) {
            if (int err = ReadStatementSeq(lb, scope, elseSeq)) return err;
            if (!lb.NextSymbol(code) || code < symPeriod) return errEndMissing;
        }
        return code == symEND ? errOK : errEndMissing;
    }
}

void CIfStatement::WriteCPP(CCppOutput& f)
{
    bool first = true;
    for (auto& branch : branches) {
        if (!first) f.Cpp(" else\n");
        first = false;
        f.Indent();
        f.Cpp("if(");
        branch.first->WriteCPP(f);
        f.Cpp(") {\n");
        branch.second->WriteCPP(f);
        f.Indent();
        f.Cpp("}");
    }
    if (elseSeq) {
        f.Cpp(" else {\n");
        elseSeq->WriteCPP(f);
        f.Indent();
        f.Cpp("}");
    }
}

int CIfStatement::GetReturnState() const
{
    std::vector<int> states;
    for (auto& branch : branches) states.push_back(branch.second->GetReturnState());
    // Without ELSE the path past all conditions returns nothing.
    states.push_back(elseSeq ? elseSeq->GetReturnState() : retNone);
    return CombineReturnStates(states);
}

// ---- RETURN ----

int CReturnStatement::Init(CLexBuf& lb)
{
    CBaseName* proc = EnclosingProcedure(scope);
    EKind resultKind = proc ? proc->GetValueKind() : kindNone;
    if (resultKind != 0) {
        // A procedure returned is named, as on the right of an assignment, not called.
        EParseMode mode = resultKind == kindCharVar ? exprCharContext
                        : resultKind == kindProcedureVar ? exprDesignatorOnly : exprFull;
        value = std::make_unique<CExpr>(scope, mode, false);
        if (int err = value->Init(lb)) return err;
        return CheckResult(proc, resultKind);
    }
    SLexPos pos = lb.SavePos();
    CExpr attempt(scope, exprFull, false);
    if (attempt.Init(lb) == errOK) return proc ? errReturnFromProc : errReturnFromModule;
    lb.RestorePos(pos);
    return errOK;
}

// The value returned must be assignable to the result type, as in an assignment: a REAL
// from an INTEGER function or a string from any function would otherwise reach C++ as a
// silent conversion or an error there.
int CReturnStatement::CheckResult(CBaseName* proc, EKind resultKind) const
{
    int right = value->resultKind;
    bool ok = true;
    if (IsNumericVarKind(resultKind))
        ok = IncludesKind(resultKind, right);
    else if (resultKind == kindCharVar || resultKind == kindBoolVar || resultKind == kindSetVar)
        ok = right == resultKind;
    else if (resultKind == kindPointerVar)
        ok = right == kindPointerVar;
    else if (resultKind == kindProcedureVar)
        ok = right == kindProcedureVar || right == kindProcedure || right == kindPointerVar;
    else
        return errOK;
    if (!ok) return errIncompatibleAssignment;
    // Pointers and procedures are compared by their declarations.
    auto* procedure = As<CProcedureBase>(proc);
    const CQualident* result = procedure && procedure->formals ? procedure->formals->result.get() : nullptr;
    if (!result || result->name.empty()) return errOK;
    auto* type = As<CBaseType>(ResolveReference(proc, result->qualifier, result->name));
    std::unique_ptr<CBaseVar> target = type ? type->CreateVar(scope) : nullptr;
    if (!target || target->kind != resultKind) return errOK;
    return CheckAssignable(*target, *value, errIncompatibleAssignment);
}

void CReturnStatement::WriteCPP(CCppOutput& f)
{
    if (value) {
        f.Indent();
        f.Cpp("VYK_RESULT = ");
        value->WriteCPP(f);
        f.Cpp(";\n");
    }
    f.Indent();
    f.Cpp("goto VYK_RETURN");
}

// ---- The module body ----

namespace {
class CModuleBody : public CStatementBody {
public:
    std::unique_ptr<CStatementSeq> seq;
    void WriteCPP(CCppOutput& f) override { seq->WriteCPP(f); }
    int GetReturnState() const override { return seq->GetReturnState(); }
};
}  // namespace

int ReadStatementBody(CLexBuf& lb, CBaseName* scope, std::unique_ptr<CStatementBody>& body)
{
    auto moduleBody = std::make_unique<CModuleBody>();
    int err = ReadStatementSeq(lb, scope, moduleBody->seq);
    body = std::move(moduleBody);
    return err;
}
