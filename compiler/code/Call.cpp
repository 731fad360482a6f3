// Procedure calls: the called designator, the formal parameters it brings, the actual
// parameters read in the parse mode their formals ask for, the count checks, and the C++
// text of each actual parameter (address of a VAR record, pointer cast and lengths for an
// open array, a one-character string for a character).
#include "code/Call.h"

#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "emit/Output.h"
#include "code/Compat.h"
#include "code/Designator.h"
#include "decl/FormalPars.h"
#include "decl/Procedures.h"
#include "decl/StructVars.h"
#include "decl/Types.h"
#include "decl/Vars.h"
#include "code/CommonTypeUses.h"

// ---- Expression lists ----

// Puts the reading position on the first token after `start`, where the diagnostic is given.
static int ReportAtFirstToken(CLexBuf& lb, SLexPos start, int err)
{
    lb.RestorePos(start);
    int code = 0;
    lb.NextSymbol(code);
    return err;
}

int CExprList::Init(CLexBuf& lb)
{
    for (;;) {
        int mode = exprFull;
        size_t i = exprs.size();
        if (formals && i < formals->size()) {
            int kind = (*formals)[i]->kind;
            mode = kind == kindProcedureVar ? exprDesignatorOnly
                 : kind == kindCharVar      ? exprCharContext
                                            : exprFull;
        }
        auto expr = std::make_unique<CExpr>(scope, mode, formals != nullptr);
        SLexPos start = lb.SavePos();
        if (int err = expr->Init(lb)) return err;
        if (formals && i < formals->size()) {
            const CBaseVar& formal = *(*formals)[i];
            int err = formal.isVar ? CheckVarActual(formal, *expr) : CheckAssignable(formal, *expr, errParamMismatch);
            if (err) return ReportAtFirstToken(lb, start, err);
        }
        if (formals && (i >= formals->size() || (*formals)[i]->isVar)) expr->NoteChanged();
        exprs.push_back(std::move(expr));
        if (!lb.Accept(symComma)) return errOK;
    }
}

void CExprList::WriteCPP(CCppOutput& f)
{
    for (size_t i = 0; i < exprs.size(); ++i) {
        if (i) f.Cpp(", ");
        exprs[i]->WriteCPP(f);
    }
}

// ---- Calls ----

CCall::CCall(CBaseName* scope, std::unique_ptr<CDesignator> designator, bool statement)
    : CSyntaxNode(scope), designator(designator.get()), statement(statement),
      ownDesignator(std::move(designator))
{
}

CCall::CCall(CBaseName* scope, CDesignator* designator) : CSyntaxNode(scope), designator(designator) {}

CCall::~CCall() = default;

EKind CCall::ResultKind() const
{
    return designator ? designator->valueKind : kindNone;
}

// "{" [ExprList] "}" after a designator or before "." designator.
int CCall::ReadCommonActuals(CLexBuf& lb)
{
    if (!lb.Accept(symLbrace)) return errOK;
    if (commonActuals) return errMixedCommonCallStyles;
    commonActuals = std::make_unique<CExprList>(scope, nullptr);
    if (lb.Accept(symRbrace)) return errOK;
    if (int err = commonActuals->Init(lb)) return err;
    for (auto& actual : commonActuals->exprs) actual->NoteChanged();
    return lb.Expect(symRbrace, errRbraceMissing);
}

// The formal parameters of what the designator names.
static const std::vector<std::unique_ptr<CBaseVar>>* FormalsOf(CBaseName* decl)
{
    if (!decl) return nullptr;
    if (auto* proc = As<CProcedureBase>(decl)) return &proc->formals->params;
    if (auto* procVar = As<CProcedureVar>(decl)) {
        CFormalPars* pars = procVar->Pars();
        return pars ? &pars->params : nullptr;
    }
    auto* type = As<CProcedureType>(ResolveType(decl));
    return type ? &type->pars->params : nullptr;
}

int CCall::Init(CLexBuf& lb)
{
    if (!designator) {
        if (int err = ReadCommonActuals(lb)) return err;
        if (int err = lb.Expect(symPeriod, errPeriodMissing)) return err;
        ownDesignator = std::make_unique<CDesignator>(scope, false);
        designator = ownDesignator.get();
        if (int err = designator->Init(lb)) return err;
    }
    if (!designator->isCall) return errNotAProcedure;
    if (statement && designator->valueKind != 0) return errFunctionCalledAsProc;
    NoteCall(scope, designator->GetTarget());
    formals = FormalsOf(designator->GetTarget());
    if (!formals) return errUnknownInternal;
    if (int err = ReadCommonActuals(lb)) return err;
    if (int err = ReadActuals(lb)) return err;
    return CheckCounts();
}

// ["(" [ExprList] ")"]; the parentheses may be left out only by a call statement.
int CCall::ReadActuals(CLexBuf& lb)
{
    if (!lb.Accept(symLparen)) return statement ? errOK : errLparenMissing;
    if (lb.Accept(symRparen)) return errOK;
    actuals = std::make_unique<CExprList>(scope, formals);
    if (int err = actuals->Init(lb)) return err;
    return lb.Expect(symRparen, errRparenMissing);
}

int CCall::CheckCounts() const
{
    CBaseName* decl = designator->GetTarget();
    auto* proc = As<CProcedureBase>(decl);
    int commonCount = proc ? proc->CommonParamCount() : 0;
    size_t common = commonActuals ? commonActuals->Count() : 0;
    if (commonCount > 0) {
        if (!commonActuals) return errCommonArgsExpected;
        if (common < size_t(commonCount)) return errTooFewCommonArgs;
        if (common > size_t(commonCount)) return errTooManyCommonArgs;
    } else if (commonActuals) {
        return errTooManyCommonArgs;
    }
    size_t count = actuals ? actuals->Count() : 0;
    if (count < formals->size()) return errTooFewParams;
    if (count > formals->size()) return errTooManyParams;
    return errOK;
}

void CCall::WriteCPP(CCppOutput& f)
{
    if (statement) f.Indent();
    bool nilCheck = f.checks && designator->procVarCall;   // a call through NIL traps
    if (nilCheck) f.Cpp("VYK_NNP(");
    designator->WriteCPP(f);
    if (nilCheck) f.Cpp(", %s)", f.At(designator->at).c_str());
    f.Cpp("(");
    if (actuals) {
        for (size_t i = 0; i < actuals->exprs.size(); ++i) {
            f.Cpp("%s", i ? ", " : "");
            WriteActualPar(f, *actuals->exprs[i], (*formals)[i].get());
        }
    }
    if (commonActuals) WriteCommonActuals(f, *commonActuals, actuals && actuals->Count() > 0);
    f.Cpp(")");
}

// ---- Actual parameters ----

static bool IsOpenArray(const CBaseVar* formal)
{
    const auto* array = As<CArrayVar>(formal);
    return array && array->Length() == 0;
}

// The actual of an open-array formal: the elements as a pointer, then every length.
static void WriteOpenArrayActual(CCppOutput& f, CExpr& actual)
{
    CBaseName* v = actual.GetDesignatedVar();
    if (actual.resultKind == kindCharVar) {
        // a character stands for the string of that one character
        if (IsConstVar(v)) {
            f.Cpp("\"%s\", 2", EscapeCppString(std::string(1, char(To<CScalarVar>(v)->intValue))).c_str());
        } else {
            f.Cpp("VYK_CHARSTR(");
            actual.WriteCPP(f);
            f.Cpp(").s, 2");
        }
        return;
    }
    CDesignator* designator = SingleDesignator(actual);
    if (auto* arrayVar = As<CArrayVar>(v)) {
        const CArrayType* array = arrayVar->type.get();
        f.Cpp("(%s*)", ArrayElementCppName(array, false).c_str());
    } else if (auto* rest = As<CArrayType>(v); rest && rest->Dimensions() > 1) {
        // the rows left after some indices (w[1] of w: ARRAY 2, 2, 3 OF INTEGER)
        f.Cpp("(%s*)", ArrayElementCppName(rest, false).c_str());
    }
    actual.WriteCPP(f);
    if (designator && designator->WriteLengths(f)) return;
    if (auto* arrayVar = As<CArrayVar>(v)) {   // a string constant
        for (const CArrayType* d = arrayVar->type.get(); d; d = As<CArrayType>(d->elem.get()))
            f.Cpp(", %i", d->length);
    }
}

void WriteActualPar(CCppOutput& f, CExpr& actual, CBaseVar* formal)
{
    if (IsOpenArray(formal)) return WriteOpenArrayActual(f, actual);
    if (WriteCommonActualPar(f, actual, formal)) return;
    CDesignator* designator = SingleDesignator(actual);
    if (formal->kind == kindRecordVar && formal->isVar) {
        CBaseName* v = actual.GetDesignatedVar();
        auto* record = As<CRecordVar>(v);
        bool varParam = record && record->isVar &&
                        designator && designator->selectors.empty() && !designator->dereferenced;
        if (varParam) {
            designator->addressMode = true;
        } else if (v && (v->kind == kindRecordVar || v->kind == kindPointerVar ||
                         v->kind == kindRecordType || IsTypeKind(v->kind))) {
            f.Cpp("&");
        }
    }
    actual.WriteCPP(f);
}

// True when the braces at the current token close and a "." follows them.
static bool BracesThenPeriod(CLexBuf& lb)
{
    SLexPos pos = lb.SavePos();
    int code = 0;
    int depth = 0;
    bool found = false;
    while (lb.NextSymbol(code)) {
        if (code == symLbrace) ++depth;
        if (code == symRbrace && --depth == 0) {
            found = lb.Peek(symPeriod);
            break;
        }
    }
    lb.RestorePos(pos);
    return found;
}

// "{" actuals "}" "." designator ...: a call with common actual parameters inside an
// expression. Braces without "." after them were meant as a set, whose error then stands.
int ReadCommonCallFactor(CLexBuf& lb, CFactor& factor)
{
    if (!BracesThenPeriod(lb)) return errFactorStart;
    auto call = std::make_unique<CCall>(factor.scope, nullptr, false);
    if (int err = call->Init(lb)) return err;
    factor.resultKind = call->ResultKind();
    factor.call = std::move(call);
    return errOK;
}
