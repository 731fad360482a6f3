// WHILE, REPEAT, FOR, LOOP and EXIT: parsing, checks and the C++ loops they become. The end
// value of FOR is evaluated once, before the loop; EXIT leaves the innermost LOOP through the
// label written after it.
#include "code/Loops.h"

#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "emit/Output.h"
#include "CppIdent.h"
#include "code/Compat.h"
#include "code/ExprSet.h"
#include "decl/Vars.h"

static int loopCounter = 0;

int NextLoopNumber() { return loopCounter++; }
void ResetLoopCounter() { loopCounter = 0; }

// Reads a BOOLEAN condition; `notBoolean` is the code for any other kind.
static int ReadCondition(CLexBuf& lb, CBaseName* scope, std::unique_ptr<CExpr>& cond, int notBoolean)
{
    cond = std::make_unique<CExpr>(scope, exprFull, false);
    if (int err = cond->Init(lb)) return err;
    return cond->resultKind == kindBoolVar ? errOK : notBoolean;
}

// ---- WHILE ----

int CWhileStatement::Init(CLexBuf& lb)
{
    if (int err = ReadCondition(lb, scope, condition, errWhileNotBoolean)) return err;
    if (int err = lb.Expect(symDO, errDoMissing)) return err;
    if (int err = ReadStatementSeq(lb, scope, body)) return err;
    return ReadEnd(lb);
}

void CWhileStatement::WriteCPP(CCppOutput& f)
{
    f.Indent();
    f.Cpp("while(");
    condition->WriteCPP(f);
    f.Cpp(") {\n");
    body->WriteCPP(f);
    f.Indent();
    f.Cpp("}");
}

// ---- REPEAT ----

int CRepeatStatement::Init(CLexBuf& lb)
{
    if (int err = ReadStatementSeq(lb, scope, body)) return err;
    if (int err = lb.Expect(symUNTIL, errUntilMissing)) return err;
    return ReadCondition(lb, scope, condition, errUntilNotBoolean);
}

void CRepeatStatement::WriteCPP(CCppOutput& f)
{
    f.Indent();
    f.Cpp("do {\n");
    body->WriteCPP(f);
    f.Indent();
    f.Cpp("} while(!(");
    condition->WriteCPP(f);
    f.Cpp("))");
}

// ---- FOR ----

int CForStatement::Init(CLexBuf& lb)
{
    int code = 0;
    if (int err = lb.ExpectIdent(control, errIdentExpected)) return err;
    controlDecl = FindUnqualified(scope, control);
    if (!controlDecl) return errUndeclaredIdent;
    if (!IsIntegerVarKind(controlDecl->kind)) return errControlVarNotInteger;
    if (int err = lb.Expect(symBecomes, errBecomesMissing)) return err;
    startAt = NextTokenAt(lb);
    start = std::make_unique<CExpr>(scope, exprFull, false);
    if (int err = start->Init(lb)) return err;
    if (int err = CheckBound(*start)) return err;
    if (int err = lb.Expect(symTO, errToMissing)) return err;
    endAt = NextTokenAt(lb);
    end = std::make_unique<CExpr>(scope, exprFull, false);
    if (int err = end->Init(lb)) return err;
    if (int err = CheckBound(*end)) return err;
    if (!lb.NextSymbol(code) || code < symPeriod) return errDoMissing;
    if (code == symBY) {
        if (int err = ReadStep(lb, code)) return err;
    }
    if (code != symDO) return errDoMissing;
    if (int err = ReadStatementSeq(lb, scope, body)) return err;
    return ReadEnd(lb);
}

// After BY: the constant step, then the next token into `code`.
int CForStatement::ReadStep(CLexBuf& lb, int& code)
{
    std::unique_ptr<CBaseVar> value;
    if (int err = ReadConstExpr(lb, scope, value)) return err;
    if (!IsIntegerVarKind(value->kind)) return errIntConstExpected;
    step = value->GetIntValue();
    if (step == 0) return errForStepZero;
    // The step is added to the control variable: it must be a value of its type.
    int64_t low = 0, high = 0;
    IntegerRange(controlDecl->kind, low, high);
    if (step < low || step > high) return errIncompatibleAssignment;
    if (!lb.NextSymbol(code) || code < symPeriod) return errDoMissing;
    return errOK;
}

// The beginning and the end are integers; a constant one must be a value of the control
// variable's type (the loop could never reach a constant end beyond it). A wider expression that
// is not constant stays valid; WriteCPP keeps its loop within the type.
int CForStatement::CheckBound(const CExpr& bound) const
{
    if (!IsIntegerVarKind(bound.resultKind)) return errIncompatibleAssignment;
    std::unique_ptr<CBaseVar> value;
    if (bound.EvalConst(value) != errOK) return errOK;
    return ConstantFits(bound, controlDecl->kind) ? errOK : errIncompatibleAssignment;
}

// True when the bound is not constant and of a type wider than the control variable's.
bool CForStatement::Wider(const CExpr& bound) const
{
    std::unique_ptr<CBaseVar> value;
    return bound.resultKind < controlDecl->kind && bound.EvalConst(value) != errOK;
}

// Under -c: the bound, which must be a value of the control variable's type (trap 240).
void CForStatement::WriteCheckedBound(CCppOutput& f, CExpr& bound, const SSourceAt& at) const
{
    f.Cpp(controlDecl->kind == kindIntegerVar ? "VYK_SHORT_INT(" : "VYK_SHORT_SHORTINT(");
    bound.WriteCPP(f);
    f.Cpp(", %s)", f.At(at).c_str());
}

// True unless the end is a constant that the control variable can pass by a step without
// leaving its type's range. Stepping past the end of the range would wrap around (or be
// undefined) and never end a loop like FOR i := 0 TO MAX(INTEGER).
bool CForStatement::MayPassLimit() const
{
    std::unique_ptr<CBaseVar> value;
    if (end->EvalConst(value) != errOK || !IsIntegerVarKind(value->kind)) return true;
    int64_t last = value->GetIntValue(), low = 0, high = 0;
    IntegerRange(controlDecl->kind, low, high);
    return step > 0 ? last > high - step : last < low - step;
}

void CForStatement::WriteCPP(CCppOutput& f)
{
    std::string name = CppId(control);
    f.Indent();
    f.Cpp("{long VYK_FOR=");
    const bool wideEnd = Wider(*end), wideStart = Wider(*start);
    if (wideEnd && f.checks) WriteCheckedBound(f, *end, endAt);
    else end->WriteCPP(f);
    f.Cpp(";\n");
    if (wideEnd && !f.checks) {
        // The loop ends at the last value of the control variable's type at the latest.
        int64_t low = 0, high = 0;
        IntegerRange(controlDecl->kind, low, high);
        const long last = static_cast<long>(step > 0 ? high : low);
        f.Indent();
        f.Cpp("if (VYK_FOR %c %liL) VYK_FOR = %liL;\n", step > 0 ? '>' : '<', last, last);
    }
    f.Indent();
    f.Cpp("for(%s=", name.c_str());
    if (wideStart && f.checks) WriteCheckedBound(f, *start, startAt);
    else start->WriteCPP(f);
    f.Cpp("; %s%c=VYK_FOR; %s+=%li) {\n", name.c_str(), step > 0 ? '<' : '>', name.c_str(), step);
    body->WriteCPP(f);
    if (MayPassLimit()) {
        // The loop ends after the last value whose successor would lie beyond the end: the
        // distance to the end, exact in unsigned arithmetic, is less than one step.
        unsigned long distance = step > 0 ? static_cast<unsigned long>(step) : 0UL - static_cast<unsigned long>(step);
        f.Up();
        f.Indent();
        if (step > 0)
            f.Cpp("if ((unsigned long)VYK_FOR - (unsigned long)%s < %luUL) break;\n", name.c_str(), distance);
        else
            f.Cpp("if ((unsigned long)%s - (unsigned long)VYK_FOR < %luUL) break;\n", name.c_str(), distance);
        f.Down();
    }
    f.Indent();
    f.Cpp("}}");
}

// ---- LOOP and EXIT ----

CLoopStatement::CLoopStatement(CBaseName* scope)
    : CSyntaxNode(scope), node(std::make_unique<CScopeNode>(scope))
{
}

CLoopStatement::~CLoopStatement() = default;

int CLoopStatement::Init(CLexBuf& lb)
{
    node->loopMark = true;
    node->label = NextLoopNumber();
    if (int err = ReadStatementSeq(lb, node.get(), body)) return err;
    return ReadEnd(lb);
}

void CLoopStatement::WriteCPP(CCppOutput& f)
{
    f.Indent();
    f.Cpp("while(true) {\n");
    body->WriteCPP(f);
    f.Indent();
    f.Cpp("} VYK_EXIT_%i:", node->label);
}

int CExitStatement::Init(CLexBuf&)
{
    for (CBaseName* s = scope; s; s = s->parent) {
        if (IsProcedureKind(s->kind)) break;   // a loop does not reach into a local procedure
        if (auto* node = As<CScopeNode>(s); node && node->loopMark) {
            label = node->label;
            return errOK;
        }
    }
    return errExitNotInLoop;
}

void CExitStatement::WriteCPP(CCppOutput& f)
{
    f.Indent();
    f.Cpp("goto VYK_EXIT_%i", label);
}
