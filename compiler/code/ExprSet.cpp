// Set constructors: element bounds are integer expressions; constant bounds are checked against
// 0..31 and folded into masks, and a constructor of constant elements becomes a SET constant.
#include "code/ExprSet.h"

#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "emit/Output.h"
#include "decl/Types.h"
#include "decl/Vars.h"

namespace {
// Reads one bound; a constant one is kept as its value and its expression dropped.
int ReadBound(CLexBuf& lb, CBaseName* scope, std::unique_ptr<CExpr>& expr, int& value)
{
    expr = std::make_unique<CExpr>(scope, exprFull, false);
    if (int err = expr->Init(lb)) return err;
    if (!IsIntegerVarKind(expr->resultKind)) return errSetElementNotInteger;
    std::unique_ptr<CBaseVar> c;
    if (int err = expr->EvalConst(c)) return err == errConstExpected ? errOK : err;
    int64_t v = c->GetIntValue();
    if (v < 0 || v > kMaxSetElement) return errSetElementRange;
    value = static_cast<int>(v);
    expr.reset();
    return errOK;
}

uint32_t RangeMask(int low, int high)
{
    uint32_t mask = 0;
    for (int i = low; i <= high; ++i) mask |= 1u << i;
    return mask;
}
}  // namespace

SSourceAt NextTokenAt(CLexBuf& lb)
{
    const SLexPos saved = lb.SavePos();
    int code = 0;
    lb.NextSymbol(code);
    const SSourceAt at{lb.Line(), lb.Column()};
    lb.RestorePos(saved);
    return at;
}

void WriteSetElement(CCppOutput& f, CExpr& x, const SSourceAt& at)
{
    if (!f.checks) return x.WriteCPP(f);
    f.Cpp("VYK_ELEM(");
    x.WriteCPP(f);
    f.Cpp(", %s)", f.At(at).c_str());
}

void CSetElem::WriteCPP(CCppOutput& f)
{
    if (IsConst()) {
        f.Cpp("%i", static_cast<int32_t>(mask));
    } else if (!isRange) {
        f.Cpp("VYK_BIT(");
        WriteSetElement(f, *low, at);
        f.Cpp(")");
    } else {
        f.Cpp(f.checks ? "VYK_SET_RANGE_CHK(" : "VYK_SET_RANGE(");
        if (low) low->WriteCPP(f);
        else f.Cpp("%i", lowValue);
        f.Cpp(",");
        if (high) high->WriteCPP(f);
        else f.Cpp("%i", highValue);
        if (f.checks) f.Cpp(", %s", f.At(at).c_str());
        f.Cpp(")");
    }
}

int ReadSetConstructor(CLexBuf& lb, CBaseName* scope, std::unique_ptr<CSetVar>& set)
{
    set = std::make_unique<CSetVar>(scope);
    set->isConst = true;
    if (lb.Accept(symRbrace)) return errOK;
    int code = 0;
    uint32_t mask = 0;
    for (;;) {
        auto elem = std::make_unique<CSetElem>();
        elem->at = NextTokenAt(lb);
        if (int err = ReadBound(lb, scope, elem->low, elem->lowValue)) return err;
        if (lb.Accept(symUpto)) {
            elem->isRange = true;
            if (int err = ReadBound(lb, scope, elem->high, elem->highValue)) return err;
        }
        if (elem->IsConst()) {
            int high = elem->isRange ? elem->highValue : elem->lowValue;
            if (high < elem->lowValue) return errSetRangeBounds;
            elem->mask = RangeMask(elem->lowValue, high);
            mask |= elem->mask;
        }
        set->elems.push_back(std::move(elem));
        if (!lb.NextSymbol(code)) return errRbraceMissing;
        if (code == symRbrace) break;
        if (code != symComma) return errRbraceMissing;
    }
    set->intValue = mask;
    bool allConst = true;
    for (auto& e : set->elems) allConst = allConst && e->IsConst();
    if (allConst) set->elems.clear();
    else set->isConst = false;
    return errOK;
}
