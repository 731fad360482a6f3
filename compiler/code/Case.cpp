// CASE: the case expression (integer or CHAR), label sequences whose labels are constants or
// constant ranges and may not overlap, and the if-chain written for them. The expression is
// written once into VYK_CASE, so calls in it run once.
#include "code/Case.h"

#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "emit/Output.h"
#include "decl/Vars.h"

// A label's value: an integer constant, a CHAR constant or a one-character string, the
// characters read as signed 8-bit numbers.
int CCaseLabel::ReadValue(CLexBuf& lb, CBaseName* scope, int caseKind, long& value)
{
    std::unique_ptr<CBaseVar> c;
    if (int err = ReadConstExpr(lb, scope, c)) return err;
    bool isChar = false;
    if (c->kind == kindCharVar) {
        value = static_cast<signed char>(To<CScalarVar>(*c).intValue);
        isChar = true;
    } else if (c->kind == kindArrayVar) {
        const std::string& text = To<CArrayVar>(*c).text;
        if (text.size() != 1) return errCaseLabelInadmissible;
        value = static_cast<signed char>(text[0]);
        isChar = true;
    } else if (IsIntegerVarKind(c->kind)) {
        value = c->GetIntValue();
    } else {
        return errCaseLabelInadmissible;
    }
    if (caseKind == kindCharVar) return isChar ? errOK : errCaseLabelType;
    if (isChar || !IncludesKind(caseKind, c->kind)) return errCaseLabelType;
    return errOK;
}

int CCaseLabel::Init(CLexBuf& lb, CBaseName* scope, int caseKind)
{
    if (int err = ReadValue(lb, scope, caseKind, low)) return err;
    high = low;
    if (!lb.Accept(symUpto)) return errOK;
    range = true;
    if (int err = ReadValue(lb, scope, caseKind, high)) return err;
    if (high >= low) return errOK;
    // Characters are held as signed 8-bit numbers, so a range such as 0X..0FFX or 70X..90X
    // that passes from 7FX to 80X goes on from -128 on the other side.
    if (caseKind != kindCharVar || uint8_t(low) > uint8_t(high)) return errCaseRangeEmpty;
    wraps = true;
    wrapHigh = high;
    high = 127;
    return errOK;
}

bool CCaseLabel::Overlaps(const CCaseLabel& other) const
{
    return low <= other.high && other.low <= high;
}

void CCaseLabel::WriteCPP(CCppOutput& f, const char* value) const
{
    if (range)
        f.Cpp("%s >= %li && %s <= %li", value, low, value, high);
    else
        f.Cpp("%s == %li", value, low);
}

// ---- Label sequences ----

bool CCaseLabelSet::Overlaps(const CCaseLabel& label) const
{
    // The ranges are disjoint, so only the last one starting at or below the label's high end
    // can reach into it.
    auto it = ranges.upper_bound(label.high);
    if (it == ranges.begin()) return false;
    --it;
    return it->second >= label.low;
}

int CCaseLabelsSeq::Init(CLexBuf& lb)
{
    for (;;) {
        CCaseLabel label;
        if (int err = label.Init(lb, scope, caseKind)) return err;
        std::vector<CCaseLabel> parts{label};
        if (label.wraps) {
            CCaseLabel upper;
            upper.range = true;
            upper.low = -128;
            upper.high = label.wrapHigh;
            parts.push_back(upper);
        }
        for (const CCaseLabel& part : parts) {
            if (seen.Overlaps(part)) return errCaseLabelTwice;
            seen.Add(part);
            labels.push_back(part);
        }
        int code = 0;
        if (!lb.NextSymbol(code)) return errColonMissing;
        if (code == symComma) continue;
        if (code != symColon) return errColonMissing;
        return ReadStatementSeq(lb, scope, seq);
    }
}

void CCaseLabelsSeq::WriteCPP(CCppOutput& f)
{
    if (labels.empty()) throw error_Internal("CCaseLabelsSeq::WriteCPP");
    f.Indent();
    f.Cpp("if ((");
    bool first = true;
    for (const CCaseLabel& label : labels) {
        if (!first) f.Cpp(")||(");
        first = false;
        label.WriteCPP(f, "VYK_CASE");
    }
    f.Cpp(")) {\n");
    seq->WriteCPP(f);
    f.Indent();
    f.Cpp("} else\n");
}

// ---- CASE ----

// A one-character string constant ("d", or a constant declared so) is a CHAR constant.
static void TakeOneCharStringAsChar(CExpr& expr)
{
    if (expr.resultKind != kindArrayVar) return;
    CFactor* single = expr.SingleFactor();
    CBaseName* d = FactorTarget(single);
    auto* a = As<CArrayVar>(d);
    if (!a || !a->isConst || !a->hasText || a->text.size() != 1) return;
    single->MakeCharLiteral(a->text[0]);
    expr.resultKind = expr.left->resultKind = expr.left->first->resultKind = kindCharVar;
}

int CCaseStatement::Init(CLexBuf& lb)
{
    at = SSourceAt{lb.Line(), lb.Column()};
    expr = std::make_unique<CExpr>(scope, exprFull, false);
    if (int err = expr->Init(lb)) return err;
    TakeOneCharStringAsChar(*expr);
    int kind = expr->resultKind;
    if (!IsIntegerVarKind(kind) && kind != kindCharVar) return errCaseExprType;
    if (int err = lb.Expect(symOF, errOfMissing)) return err;
    return ReadCases(lb);
}

int CCaseStatement::ReadCases(CLexBuf& lb)
{
    for (;;) {
        SLexPos pos = lb.SavePos();
        int code = 0;
        bool empty = !lb.NextSymbol(code) || code == symBar || code == symELSE || code == symEND;
        lb.RestorePos(pos);
        if (!empty) {
            auto labels = std::make_unique<CCaseLabelsSeq>(scope, expr->resultKind, seen);
            if (int err = labels->Init(lb)) return err;
            cases.push_back(std::move(labels));
        }
        if (!lb.NextSymbol(code)) return errEndMissing;
        if (code == symBar) continue;
        if (code == symEND) return errOK;
        if (code != symELSE) return errEndMissing;
        if (int err = ReadStatementSeq(lb, scope, elseSeq)) return err;
        return ReadEnd(lb);
    }
}

void CCaseStatement::WriteCPP(CCppOutput& f)
{
    f.Indent();
    f.Cpp("{%s VYK_CASE = ", expr->resultKind == kindCharVar ? "char" : "long");
    expr->WriteCPP(f);
    f.Cpp(";\n");
    for (auto& c : cases) c->WriteCPP(f);
    f.Indent();
    if (elseSeq) {
        f.Cpp("{\n");
        elseSeq->WriteCPP(f);
        f.Indent();
        f.Cpp("}}");
    } else {
        f.Cpp("\tVYK_TRAP(%i, %s);}", kExitCaseNoMatch, f.TrapAt(at).c_str());
    }
}

int CCaseStatement::GetReturnState() const
{
    std::vector<int> states;
    for (auto& c : cases) states.push_back(c->GetReturnState());
    if (elseSeq) states.push_back(elseSeq->GetReturnState());
    return CombineReturnStates(states);
}
