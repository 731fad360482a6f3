// Constant folding: every level folds its operands into new constant objects and combines them.
// Integers fold to their true value with checked arithmetic: the result takes the wider kind of
// its operands and becomes INTEGER when it no longer fits a SHORTINT, LONGINT (the C++ long)
// when it no longer fits an INTEGER; a value beyond LONGINT is an overflow error. An integer
// mixed with a real folds as a real, and "/" always yields the real quotient.
// C++ computes the same operations on INTEGER operands in int: a result widened to LONGINT from
// operands of at most INTEGER is counted, so that the expression is written as its folded value.
#include <climits>
#include <cmath>
#include <cstring>

#include "front/Diagnostics.h"
#include "code/Expr.h"
#include "code/Designator.h"
#include "code/ExprSet.h"
#include "code/StdProcs.h"
#include "decl/StructVars.h"
#include "decl/Vars.h"

namespace {
constexpr int64_t kMinShortint = -32768;
constexpr int64_t kMaxShortint = 32767;
constexpr uint32_t kAllSetBits = 0xFFFFFFFFu;

using Const = std::unique_ptr<CBaseVar>;

long widenings = 0;   // integer results that left INTEGER while their operands were INTEGER

CScalarVar& Scalar(const Const& c) { return To<CScalarVar>(*c); }
Const MakeScalar(int kind, CBaseName* scope)
{
    std::unique_ptr<CScalarVar> v = MakeScalarVar(kind, scope);
    v->isConst = true;
    return v;
}

// An integer result of `kind` (the wider kind of the operands), widened to INTEGER when it does
// not fit a SHORTINT and to LONGINT when it does not fit an INTEGER.
Const MakeInt(int kind, int64_t value, CBaseName* scope)
{
    if (kind == kindShortintVar && (value < kMinShortint || value > kMaxShortint)) kind = kindIntegerVar;
    if (kind == kindIntegerVar && (value < INT_MIN || value > INT_MAX)) {
        kind = kindLongintVar;
        ++widenings;
    }
    Const c = MakeScalar(kind, scope);
    Scalar(c).SetIntValue(value);
    return c;
}

// MakeInt for a value computed with `overflow` set when it left int64_t; errConstOverflow when
// it left it or does not fit a LONGINT.
int CheckedInt(int kind, bool overflow, int64_t value, CBaseName* scope, Const& result)
{
    if (overflow || value < LONG_MIN || value > LONG_MAX) return errConstOverflow;
    result = MakeInt(kind, value, scope);
    return errOK;
}

Const MakeReal(int kind, double value, CBaseName* scope)
{
    Const c = MakeScalar(kind, scope);
    Scalar(c).realValue = value;
    return c;
}

Const MakeBits(int kind, int64_t value, CBaseName* scope)
{
    Const c = MakeScalar(kind, scope);
    Scalar(c).SetIntValue(value);
    return c;
}

int RealKind(int a, int b) { return a == kindLongrealVar || b == kindLongrealVar ? kindLongrealVar : kindRealVar; }

// Division rounding down and the matching modulus; r is neither 0 nor -1.
int64_t FloorDiv(int64_t l, int64_t r)
{
    int64_t q = l / r;
    if ((l % r != 0) && ((l < 0) != (r < 0))) --q;
    return q;
}

int64_t FloorMod(int64_t l, int64_t r)
{
    int64_t m = l % r;
    return (m != 0 && (m < 0) != (r < 0)) ? m + r : m;
}

// left op right for the multiplying operators; `result` replaces left.
int FoldMul(int op, const Const& l, const Const& r, CBaseName* scope, Const& result)
{
    EKind lk = l->kind, rk = r->kind;
    if (op == mulAnd) {
        if (lk != kindBoolVar || rk != kindBoolVar) return errUnknownInternal;
        result = MakeBits(kindBoolVar, IntOf(*l) && IntOf(*r), scope);
        return errOK;
    }
    if (lk == kindSetVar && rk == kindSetVar) {
        if (op == mulTimes) result = MakeBits(kindSetVar, IntOf(*l) & IntOf(*r), scope);
        else if (op == mulSlash) result = MakeBits(kindSetVar, IntOf(*l) ^ IntOf(*r), scope);
        else return errUnknownInternal;
        return errOK;
    }
    if (!IsNumericVarKind(lk) || !IsNumericVarKind(rk)) return errUnknownInternal;
    if (op == mulSlash) {
        if (RealOf(*r) == 0.0) return errDivisionByZero;
        result = MakeReal(RealKind(lk, rk), RealOf(*l) / RealOf(*r), scope);
        return errOK;
    }
    if (IsRealVarKind(lk) || IsRealVarKind(rk)) {
        if (op != mulTimes) return errUnknownInternal;
        result = MakeReal(RealKind(lk, rk), RealOf(*l) * RealOf(*r), scope);
        return errOK;
    }
    int64_t a = IntOf(*l), b = IntOf(*r), v = 0;
    int kind = WiderKind(lk, rk);
    switch (op) {
    case mulTimes: {
        bool overflow = __builtin_mul_overflow(a, b, &v);
        return CheckedInt(kind, overflow, v, scope, result);
    }
    case mulDiv:
        if (b == 0) return errDivisionByZero;
        if (b == -1) return CheckedInt(kind, __builtin_sub_overflow(int64_t(0), a, &v), v, scope, result);
        return CheckedInt(kind, false, FloorDiv(a, b), scope, result);
    case mulMod:
        if (b == 0) return errDivisionByZero;
        return CheckedInt(kind, false, b == -1 ? 0 : FloorMod(a, b), scope, result);
    default: return errUnknownInternal;
    }
}

int FoldAdd(int op, const Const& l, const Const& r, CBaseName* scope, Const& result)
{
    EKind lk = l->kind, rk = r->kind;
    if (op == addOr) {
        if (lk != kindBoolVar || rk != kindBoolVar) return errUnknownInternal;
        result = MakeBits(kindBoolVar, IntOf(*l) || IntOf(*r), scope);
        return errOK;
    }
    if (lk == kindSetVar && rk == kindSetVar) {
        int64_t v = op == addPlus ? (IntOf(*l) | IntOf(*r)) : (IntOf(*l) & ~IntOf(*r) & kAllSetBits);
        result = MakeBits(kindSetVar, v, scope);
        return errOK;
    }
    if (!IsNumericVarKind(lk) || !IsNumericVarKind(rk)) return errUnknownInternal;
    if (IsRealVarKind(lk) || IsRealVarKind(rk)) {
        double v = op == addPlus ? RealOf(*l) + RealOf(*r) : RealOf(*l) - RealOf(*r);
        result = MakeReal(RealKind(lk, rk), v, scope);
        return errOK;
    }
    int64_t v = 0;
    bool overflow = op == addPlus ? __builtin_add_overflow(IntOf(*l), IntOf(*r), &v)
                                  : __builtin_sub_overflow(IntOf(*l), IntOf(*r), &v);
    return CheckedInt(WiderKind(lk, rk), overflow, v, scope, result);
}

int Negate(Const& acc, CBaseName* scope)
{
    if (acc->kind == kindSetVar) acc = MakeBits(kindSetVar, ~IntOf(*acc) & kAllSetBits, scope);
    else if (IsRealVarKind(acc->kind)) acc = MakeReal(acc->kind, -RealOf(*acc), scope);
    else if (!IsIntegerVarKind(acc->kind)) return errUnknownInternal;
    else {
        int64_t v = 0;
        Const negated;
        bool overflow = __builtin_sub_overflow(int64_t(0), IntOf(*acc), &v);
        if (int err = CheckedInt(acc->kind, overflow, v, scope, negated)) return err;
        acc = std::move(negated);
    }
    return errOK;
}

// The literal factor that replaces a folded prefix.
std::unique_ptr<CFactor> LiteralFactor(Const value, CBaseName* scope)
{
    auto f = std::make_unique<CFactor>(scope, exprFull, false);
    f->form = formLiteral;
    f->resultKind = value->kind;
    f->literal = std::move(value);
    return f;
}

// The kind of an operand whose constant prefix folded to `value`: a prefix may be wider than
// its operands (300 * 300 is an INTEGER, 100000 * 100000 a LONGINT).
EKind KindWith(EKind kind, const CBaseVar& value)
{
    EKind wider = WiderKind(kind, value.kind);
    return wider ? wider : kind;
}

bool Compare(double a, double b, int relation)
{
    switch (relation) {
    case relEql: return a == b;
    case relNeq: return a != b;
    case relLss: return a < b;
    case relLeq: return a <= b;
    case relGtr: return a > b;
    case relGeq: return a >= b;
    default: throw error_Internal("CExpr::ApplyOperation");
    }
}

bool CompareInt(int64_t a, int64_t b, int relation)
{
    return Compare(a < b ? -1.0 : a > b ? 1.0 : 0.0, 0.0, relation);
}

bool IsOneCharString(const CBaseVar& v)
{
    const auto* array = As<CArrayVar>(&v);
    return array && array->hasText && array->text.size() == 1;
}

int64_t CharOf(const CBaseVar& v)
{
    if (v.kind == kindCharVar) return IntOf(v);
    return static_cast<signed char>(To<CArrayVar>(v).text[0]);
}
}  // namespace

long IntegerWidenings() { return widenings; }

int CFactor::EvalConst(std::unique_ptr<CBaseVar>& result) const
{
    switch (form) {
    case formNot: {
        Const v;
        if (int err = negated->EvalConst(v)) return err;
        if (v->kind != kindBoolVar) return errUnknownInternal;
        result = MakeBits(kindBoolVar, !IntOf(*v), scope);
        return errOK;
    }
    case formParen: return expr->EvalConst(result);
    case formLiteral:
        if (!literal->isConst) return errConstExpected;
        result = literal->CreateConst(scope);
        return errOK;
    case formStdFunction: return EvalStdFunction(*stdFunction, result);
    case formDesignator: {
        if (call || !designator) return errConstExpected;
        CBaseName* d = DesignatorNamed(*designator);
        if (!IsConstVar(d)) return errConstExpected;
        result = To<CBaseVar>(d)->CreateConst(scope);
        return errOK;
    }
    default: return errUnknownInternal;
    }
}

int CTerm::EvalConst(std::unique_ptr<CBaseVar>& result) const
{
    Const acc;
    if (int err = first->EvalConst(acc)) return err;
    for (auto& op : ops) {
        Const right, combined;
        if (int err = op->factor->EvalConst(right)) return err;
        if (int err = FoldMul(op->op, acc, right, scope, combined)) return err;
        acc = std::move(combined);
    }
    result = std::move(acc);
    return errOK;
}

int CSimpleExpr::EvalConst(std::unique_ptr<CBaseVar>& result) const
{
    Const acc;
    if (int err = first->EvalConst(acc)) return err;
    if (minus)
        if (int err = Negate(acc, scope)) return err;
    for (auto& op : ops) {
        Const right, combined;
        if (int err = op->term->EvalConst(right)) return err;
        if (int err = FoldAdd(op->op, acc, right, scope, combined)) return err;
        acc = std::move(combined);
    }
    result = std::move(acc);
    return errOK;
}

// The constant prefix of a numeric operand, first {op operand} as far as the operands are
// constant, is a constant expression of its own: a value that does not exist there (an overflow,
// an integer division by zero) is an error where the operand ends. A prefix that C++ would
// compute in int and wrap is replaced by its value; other prefixes keep their text.
int CTerm::FoldConstantPrefix()
{
    if (!IsNumericVarKind(resultKind)) return errOK;
    long before = IntegerWidenings();
    Const acc;
    if (first->EvalConst(acc) != errOK || !IsNumericVarKind(acc->kind)) return errOK;
    size_t n = 0;
    for (; n < ops.size(); ++n) {
        Const right, combined;
        if (ops[n]->factor->EvalConst(right) != errOK) break;
        int err = FoldMul(ops[n]->op, acc, right, scope, combined);
        if (err == errDivisionByZero && ops[n]->op == mulSlash) break;   // infinity at run time
        if (err == errConstOverflow || err == errDivisionByZero) return err;
        if (err) break;
        acc = std::move(combined);
    }
    resultKind = KindWith(resultKind, *acc);
    if (n == 0 || IntegerWidenings() == before) return errOK;
    first = LiteralFactor(std::move(acc), scope);
    ops.erase(ops.begin(), ops.begin() + long(n));
    return errOK;
}

int CSimpleExpr::FoldConstantPrefix()
{
    if (!IsNumericVarKind(resultKind)) return errOK;
    long before = IntegerWidenings();
    Const acc;
    if (first->EvalConst(acc) != errOK || !IsNumericVarKind(acc->kind)) return errOK;
    if (minus)
        if (int err = Negate(acc, scope)) return err;
    size_t n = 0;
    for (; n < ops.size(); ++n) {
        Const right, combined;
        if (ops[n]->term->EvalConst(right) != errOK) break;
        int err = FoldAdd(ops[n]->op, acc, right, scope, combined);
        if (err == errConstOverflow) return err;
        if (err) break;
        acc = std::move(combined);
    }
    resultKind = KindWith(resultKind, *acc);
    if ((n == 0 && !minus) || IntegerWidenings() == before) return errOK;
    auto term = std::make_unique<CTerm>(scope, exprFull, false);
    term->first = LiteralFactor(std::move(acc), scope);
    term->resultKind = term->first->resultKind;
    first = std::move(term);
    minus = false;
    ops.erase(ops.begin(), ops.begin() + long(n));
    return errOK;
}

int CExpr::EvalConst(std::unique_ptr<CBaseVar>& result) const
{
    if (relation == relIs) return errConstExpected;
    Const l;
    if (int err = left->EvalConst(l)) return err;
    // A LONGINT value that a SHORTINT holds becomes a SHORTINT constant.
    if (l->kind == kindLongintVar && IntOf(*l) >= kMinShortint && IntOf(*l) <= kMaxShortint)
        l = MakeInt(kindShortintVar, IntOf(*l), scope);
    if (relation == relNone) {
        result = std::move(l);
        return errOK;
    }
    Const r;
    if (int err = right->EvalConst(r)) return err;
    if (relation == relIn) {
        int64_t e = IntOf(*l);
        if (e < 0 || e > kMaxSetElement) return errSetElementRange;
        result = MakeBits(kindBoolVar, (IntOf(*r) >> e) & 1, scope);
        return errOK;
    }
    result = MakeBits(kindBoolVar, ApplyOperation(*l, *r, relation), scope);
    return errOK;
}

bool CExpr::ApplyOperation(const CBaseVar& l, const CBaseVar& r, int relation)
{
    int lk = l.kind, rk = r.kind;
    if (IsIntegerVarKind(lk) && IsIntegerVarKind(rk)) return CompareInt(IntOf(l), IntOf(r), relation);
    if (IsNumericVarKind(lk) && IsNumericVarKind(rk)) return Compare(RealOf(l), RealOf(r), relation);
    if (lk == kindSetVar && rk == kindSetVar && (relation == relEql || relation == relNeq))
        return (IntOf(l) == IntOf(r)) == (relation == relEql);
    if (lk == kindArrayVar && rk == kindArrayVar) {
        const auto& a = To<CArrayVar>(l);
        const auto& b = To<CArrayVar>(r);
        if (!a.hasText || !b.hasText) throw error_Internal("CExpr::ApplyOperation");
        return CompareInt(std::strcmp(a.text.c_str(), b.text.c_str()), 0, relation);
    }
    if (lk == kindPointerVar && rk == kindPointerVar && (relation == relEql || relation == relNeq))
        return relation == relEql;
    if ((lk == kindCharVar || IsOneCharString(l)) && (rk == kindCharVar || IsOneCharString(r)))
        return CompareInt(uint8_t(CharOf(l)), uint8_t(CharOf(r)), relation);   // by code, 0X to 0FFX
    if (lk == kindBoolVar && rk == kindBoolVar && (relation == relEql || relation == relNeq))
        return (IntOf(l) == IntOf(r)) == (relation == relEql);
    throw error_Internal("CExpr::ApplyOperation");
}
