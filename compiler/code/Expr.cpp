// Expressions: parsing of the four levels with the kind rules of every operator, and the C++
// text. Folding is in ExprFold.cpp, set constructors in ExprSet.cpp. Statements, declarations
// and the predeclared procedures create CExpr nodes and read resultKind after Init.
#include "code/Expr.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "code/Call.h"
#include "code/CommonTypeUses.h"
#include "code/Compat.h"
#include "code/Designator.h"
#include "emit/Output.h"
#include "code/ExprSet.h"
#include "code/StdProcs.h"
#include "CppIdent.h"
#include "decl/Procedures.h"
#include "decl/RecordType.h"
#include "decl/StructVars.h"
#include "decl/Types.h"
#include "decl/Vars.h"

namespace {
constexpr int64_t kMaxShortint = 32767;
constexpr int kMaxHexDigits = 8;       // significant digits of an INTEGER hexadecimal number
constexpr int kMaxLongHexDigits = 16;  // of a LONGINT one
constexpr int kCharLimit = 256;

bool IsSetKind(int k) { return k == kindSetVar; }

int SymbolToRelation(int code)
{
    switch (code) {
    case symEql: return relEql;
    case symNeq: return relNeq;
    case symLss: return relLss;
    case symLeq: return relLeq;
    case symGtr: return relGtr;
    case symGeq: return relGeq;
    case symIN: return relIn;
    case symIS: return relIs;
    default: return relNone;
    }
}

bool IsStdFunctionSymbol(int code)
{
    switch (code) {
    case symABS: case symASH: case symCAP: case symCHR: case symENTIER: case symLEN:
    case symLONG: case symMAX: case symMIN: case symODD: case symORD: case symSHORT: case symSIZE:
        return true;
    default:
        return false;
    }
}

// Value of hexadecimal digits; false when more than `limitDigits` significant digits are given.
bool HexValue(const std::string& digits, uint64_t limitDigits, uint64_t& value)
{
    size_t start = digits.find_first_not_of('0');
    if (start == std::string::npos) {
        value = 0;
        return true;
    }
    if (digits.size() - start > limitDigits) return false;
    value = 0;
    for (size_t i = start; i < digits.size(); ++i) {
        char c = digits[i];
        int d = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : 0;
        value = value * 16 + static_cast<uint64_t>(d);
    }
    return true;
}
}  // namespace

CSyntaxNode::~CSyntaxNode() = default;

bool IncludesKind(int a, int b)
{
    if (a == b) return true;
    return IsNumericVarKind(a) && IsNumericVarKind(b) && a < b;
}

EKind WiderKind(EKind a, EKind b)
{
    if (IncludesKind(a, b)) return a;
    if (IncludesKind(b, a)) return b;
    return kindNone;
}

// ---------------------------------------------------------------- CFactor

CFactor::CFactor(CBaseName* scope, int mode, bool actualPar)
    : CSyntaxNode(scope), mode(mode), actualPar(actualPar) {}
CFactor::~CFactor() = default;

const CFactor* CFactor::Innermost() const
{
    const CFactor* f = this;
    while (f->form == formParen && f->expr) {
        const CFactor* inner = f->expr->SingleFactor();
        if (!inner) break;
        f = inner;
    }
    return f;
}

void CFactor::MakeCharLiteral(char c)
{
    auto ch = std::make_unique<CCharVar>(scope);
    ch->isConst = true;
    ch->SetIntValue(static_cast<unsigned char>(c));
    literal = std::move(ch);
    designator.reset();
    call.reset();
    form = formLiteral;
    resultKind = kindCharVar;
}

int CFactor::Init(CLexBuf& lb)
{
    SLexPos pos = lb.SavePos();
    int code = 0;
    std::string text;
    if (!lb.NextSymbol(code, text)) return errFactorStart;
    int err = errOK;
    if (code == symNIL) {
        auto nil = std::make_unique<CPointerVar>(scope);
        nil->isConst = true;
        literal = std::move(nil);
        form = formLiteral;
        resultKind = kindPointerVar;
        return errOK;
    }
    if (mode == exprDesignatorOnly) {
        lb.RestorePos(pos);
        if ((err = ReadDesignator(lb))) return err;
        if (resultKind != kindProcedure && resultKind != kindProcedureVar) return errIncompatibleAssignment;
        // A local procedure reaches its enclosing procedures' frames, which end with their call.
        CBaseName* named = designator ? DesignatorTarget(*designator) : nullptr;
        if (auto* proc = As<CProcedureBase>(named); resultKind == kindProcedure && proc && proc->IsLocal())
            return errLocalProcAsValue;
        return errOK;
    }
    switch (code) {
    case symInteger:
    case symHexInteger:
    case symReal:
    case symLongReal:
    case symChar: err = ReadNumber(code, text); break;
    case symString: err = ReadString(text); break;
    case symTRUE:
    case symFALSE: {
        auto b = std::make_unique<CBoolVar>(scope);
        b->isConst = true;
        b->intValue = code == symTRUE;
        literal = std::move(b);
        form = formLiteral;
        resultKind = kindBoolVar;
        break;
    }
    case symLparen: err = ReadParenthesized(lb); break;
    case symNot: err = ReadNegation(lb); break;
    case symLbrace:
        lb.RestorePos(pos);
        err = ReadBrace(lb);
        break;
    case symIdent: {
        lb.RestorePos(pos);
        bool systemCall = false;
        err = ReadSystemFactor(lb, *this, systemCall);
        if (!systemCall) err = ReadDesignator(lb);
        break;
    }
    default:
        if (!IsStdFunctionSymbol(code)) return errFactorStart;
        form = formStdFunction;
        err = ReadStdFunctionFactor(lb, *this, code);
        break;
    }
    if (err) return err;
    return resultKind == 0 ? errExprCompatibility : errOK;
}

int CFactor::ReadNumber(int code, const std::string& text)
{
    form = formLiteral;
    if (code == symReal || code == symLongReal) {
        std::string s = text;
        for (char& c : s)
            if (c == 'D') c = 'E';
        std::unique_ptr<CScalarVar> r = MakeScalarVar(code == symReal ? kindRealVar : kindLongrealVar, scope);
        r->isConst = true;
        r->realValue = std::strtod(s.c_str(), nullptr);
        resultKind = r->kind;
        literal = std::move(r);
        return errOK;
    }
    uint64_t value = 0;
    if (code == symChar) {
        if (!HexValue(text, kMaxHexDigits, value) || value >= kCharLimit) return errCharConstTooLong;
        auto ch = std::make_unique<CCharVar>(scope);
        ch->isConst = true;
        ch->SetIntValue(static_cast<int64_t>(value));
        literal = std::move(ch);
        resultKind = kindCharVar;
        return errOK;
    }
    // Up to eight hexadecimal digits are the 32 bits of an INTEGER (80000000H to 0FFFFFFFFH are
    // negative), nine to sixteen the 64 bits of a LONGINT; a decimal number beyond MAX(INTEGER)
    // is a LONGINT (the lexer stops at MAX(LONGINT)).
    int64_t v = 0;
    int kind = kindIntegerVar;
    if (code == symHexInteger) {
        if (!HexValue(text, kMaxLongHexDigits, value)) return errNumberTooLarge;
        if (HexValue(text, kMaxHexDigits, value)) {
            v = static_cast<int32_t>(static_cast<uint32_t>(value));
        } else {
            v = static_cast<int64_t>(value);
            kind = kindLongintVar;
        }
    } else {
        v = std::strtoll(text.c_str(), nullptr, 10);
        if (v > INT32_MAX) kind = kindLongintVar;
    }
    if (kind == kindIntegerVar && v >= 0 && v <= kMaxShortint && !(code == symHexInteger && value > kMaxShortint))
        kind = kindShortintVar;
    std::unique_ptr<CScalarVar> n = MakeScalarVar(kind, scope);
    n->isConst = true;
    n->SetIntValue(v);
    resultKind = n->kind;
    literal = std::move(n);
    return errOK;
}

int CFactor::ReadString(const std::string& text)
{
    if (mode == exprCharContext) {
        if (text.size() != 1) return errExprCompatibility;
        MakeCharLiteral(text[0]);
        return errOK;
    }
    auto s = std::make_unique<CArrayVar>(scope);
    s->SetString(text);
    literal = std::move(s);
    form = formLiteral;
    resultKind = kindArrayVar;
    return errOK;
}

// "(" Expression ")"
int CFactor::ReadParenthesized(CLexBuf& lb)
{
    form = formParen;
    expr = std::make_unique<CExpr>(scope, exprFull, false);
    if (int err = expr->Init(lb)) return err;
    if (int err = lb.Expect(symRparen, errRparenMissing)) return err;
    resultKind = expr->resultKind;
    return errOK;
}

// "~" Factor
int CFactor::ReadNegation(CLexBuf& lb)
{
    CNestingGuard guard;
    if (guard.TooDeep()) return errFactorStart;
    form = formNot;
    negated = std::make_unique<CFactor>(scope, mode, actualPar);
    if (int err = negated->Init(lb)) return err;
    resultKind = negated->resultKind == kindBoolVar ? kindBoolVar : kindNone;
    return errOK;
}

// A set constructor, unless "." follows it: then the braces hold common actual parameters.
int CFactor::ReadBrace(CLexBuf& lb)
{
    SLexPos pos = lb.SavePos();
    int code = 0;
    lb.NextSymbol(code);
    std::unique_ptr<CSetVar> set;
    int err = ReadSetConstructor(lb, scope, set);
    bool dot = lb.Peek(symPeriod);
    if (!err && !dot) {
        form = formLiteral;
        resultKind = kindSetVar;
        literal = std::move(set);
        return errOK;
    }
    SLexPos failedAt = lb.SavePos();
    lb.RestorePos(pos);
    form = formDesignator;
    int callErr = ReadCommonCallFactor(lb, *this);
    if (callErr == errFactorStart && err) {
        lb.RestorePos(failedAt);   // report the constructor's own error where it was found
        return err;
    }
    return callErr;
}

int CFactor::ReadDesignator(CLexBuf& lb)
{
    form = formDesignator;
    if (int err = ReadDesignatorFactor(lb, *this)) return err;
    // A named NIL is written as NIL itself: its C++ variable would not convert to other pointers.
    CBaseName* named = !call && designator ? DesignatorTarget(*designator) : nullptr;
    if (Is<CPointerVar>(named) && IsConstVar(named)) {
        literal = To<CPointerVar>(named)->CreateConst(scope);
        designator.reset();
        form = formLiteral;
        resultKind = kindPointerVar;
        return errOK;
    }
    // A one-character string constant used where a character is expected is that character.
    if (mode == exprCharContext && !call && designator) {
        if (auto* a = As<CArrayVar>(DesignatorTarget(*designator))) {
            if (a->isConst && a->hasText && a->text.size() == 1) MakeCharLiteral(a->text[0]);
        }
    }
    return errOK;
}

void CFactor::WriteCPP(CCppOutput& f)
{
    switch (form) {
    case formNot:
        f.Cpp("!");
        negated->WriteCPP(f);
        break;
    case formParen:
        f.Cpp("(");
        expr->WriteCPP(f);
        f.Cpp(")");
        break;
    case formLiteral: {
        if (auto* set = As<CSetVar>(literal.get()); set && !set->elems.empty()) {
            literal->WriteCPP_ConstValue(f);
            break;
        }
        // A negative literal is bracketed, so that "-" before it never makes "--".
        std::string text = literal->ConstCppText();
        if (!text.empty() && text[0] == '-') f.Cpp("(%s)", text.c_str());
        else f.Cpp("%s", text.c_str());
        break;
    }
    case formStdFunction: stdFunction->WriteCPP(f); break;
    case formDesignator:
        if (call) call->WriteCPP(f);
        else designator->WriteCPP(f);
        break;
    default: throw error_Internal("CFactor::WriteCPP");
    }
}

// ---------------------------------------------------------------- CTerm

int CMulOperation::Init(CLexBuf& lb)
{
    factor = std::make_unique<CFactor>(scope, exprFull, false);
    if (int err = factor->Init(lb)) return err;
    resultKind = factor->resultKind;
    return errOK;
}

void CMulOperation::WriteCPP(CCppOutput& f)
{
    switch (op) {
    case mulTimes: f.Cpp(setOperands ? " & " : " * "); break;
    case mulSlash: f.Cpp(setOperands ? " ^ " : " / double("); break;
    case mulDiv: f.Cpp(" , "); break;
    case mulMod: f.Cpp(" , "); break;
    case mulAnd: f.Cpp(" && "); break;
    default: throw error_Internal("CMulOperation::WriteCPP");
    }
    factor->WriteCPP(f);
    if (op == mulSlash && !setOperands) f.Cpp(")");
}

int CTerm::Init(CLexBuf& lb)
{
    first = std::make_unique<CFactor>(scope, mode, actualPar);
    if (int err = first->Init(lb)) return err;
    resultKind = first->resultKind;
    if (mode != exprFull) return errOK;
    for (;;) {
        SLexPos pos = lb.SavePos();
        int code = 0;
        int op = 0;
        if (lb.NextSymbol(code)) {
            op = code == symTimes ? mulTimes : code == symSlash ? mulSlash : code == symAnd ? mulAnd
               : code == symDIV ? mulDiv : code == symMOD ? mulMod : 0;
        }
        if (!op) {
            lb.RestorePos(pos);
            return FoldConstantPrefix();
        }
        auto operation = std::make_unique<CMulOperation>(scope, op);
        if (int err = operation->Init(lb)) return err;
        EKind k = operation->resultKind;
        bool ok = (op == mulTimes || op == mulSlash) ? (IsSetKind(k) || IsNumericVarKind(k))
                : (op == mulDiv || op == mulMod) ? IsIntegerVarKind(k)
                                                 : k == kindBoolVar;
        if (!ok) return errExprCompatibility;
        if (resultKind == kindBoolVar && k != kindBoolVar) return errExprCompatibility;
        EKind wider = WiderKind(resultKind, k);
        if (!wider) return errExprCompatibility;
        if (op == mulSlash && wider != kindLongrealVar && wider != kindSetVar) wider = kindRealVar;
        if ((op == mulDiv || op == mulMod) && !IsIntegerVarKind(wider)) return errExprCompatibility;
        resultKind = wider;
        operation->setOperands = IsSetKind(wider);
        ops.push_back(std::move(operation));
    }
}

void CTerm::WriteCPP(CCppOutput& f)
{
    if (IsSetKind(resultKind)) {
        for (size_t i = 0; i < ops.size(); ++i) f.Cpp("(");
        first->WriteCPP(f);
        for (auto& op : ops) {
            op->WriteCPP(f);
            f.Cpp(")");
        }
        return;
    }
    for (size_t i = ops.size(); i-- > 0;) {
        switch (ops[i]->op) {
        case mulTimes: f.Cpp("("); break;
        case mulDiv: f.Cpp("VYK_DIV("); break;
        case mulMod: f.Cpp("MOD("); break;
        default: break;
        }
    }
    first->WriteCPP(f);
    for (auto& op : ops) {
        op->WriteCPP(f);
        if (op->op == mulTimes || op->op == mulMod || op->op == mulDiv) f.Cpp(")");
    }
}

// ---------------------------------------------------------------- CSimpleExpr

int CAddOperation::Init(CLexBuf& lb)
{
    term = std::make_unique<CTerm>(scope, exprFull, false);
    if (int err = term->Init(lb)) return err;
    resultKind = term->resultKind;
    return errOK;
}

void CAddOperation::WriteCPP(CCppOutput& f)
{
    switch (op) {
    case addPlus: f.Cpp(setOperands ? " | " : " + "); break;
    case addMinus: f.Cpp(setOperands ? " & ~(" : " - "); break;
    case addOr: f.Cpp(" || "); break;
    default: throw error_Internal("CAddOperation::WriteCPP");
    }
    term->WriteCPP(f);
    if (op == addMinus && setOperands) f.Cpp(")");
}

int CSimpleExpr::Init(CLexBuf& lb)
{
    SLexPos pos = lb.SavePos();
    int code = 0;
    if (lb.NextSymbol(code) && (code == symPlus || code == symMinus)) {
        isSigned = true;
        minus = code == symMinus;
    } else {
        lb.RestorePos(pos);
    }
    first = std::make_unique<CTerm>(scope, mode, actualPar);
    if (int err = first->Init(lb)) return err;
    resultKind = first->resultKind;
    if (isSigned && !IsNumericVarKind(resultKind) && !(minus && IsSetKind(resultKind)))
        return errExprCompatibility;
    if (mode != exprFull) return FoldConstantPrefix();
    for (;;) {
        pos = lb.SavePos();
        int op = 0;
        if (lb.NextSymbol(code)) op = code == symPlus ? addPlus : code == symMinus ? addMinus : code == symOR ? addOr : 0;
        if (!op) {
            lb.RestorePos(pos);
            return FoldConstantPrefix();
        }
        auto operation = std::make_unique<CAddOperation>(scope, op);
        if (int err = operation->Init(lb)) return err;
        EKind k = operation->resultKind;
        bool ok = op == addOr ? k == kindBoolVar : (IsSetKind(k) || IsNumericVarKind(k));
        if (!ok) return errExprCompatibility;
        if ((IsSetKind(resultKind) || resultKind == kindBoolVar) && k != resultKind) return errExprCompatibility;
        EKind wider = WiderKind(resultKind, k);
        if (!wider) return errExprCompatibility;
        resultKind = wider;
        operation->setOperands = IsSetKind(wider);
        ops.push_back(std::move(operation));
    }
}

bool CSimpleExpr::HasOperators() const { return !ops.empty() || !first->ops.empty(); }

CFactor* CSimpleExpr::SingleFactor() const
{
    if (!first || !ops.empty() || !first->ops.empty()) return nullptr;
    CFactor* f = first->first.get();
    while (f && f->form == formParen && f->expr) {
        CFactor* inner = f->expr->SingleFactor();
        if (!inner) break;
        f = inner;
    }
    return f;
}

void CSimpleExpr::WriteCPP(CCppOutput& f)
{
    bool set = IsSetKind(resultKind);
    if (set)
        for (size_t i = 0; i < ops.size(); ++i) f.Cpp("(");
    bool wrapTerm = false;
    if (minus) {
        bool setTerm = IsSetKind(first->resultKind);
        f.Cpp("%c", setTerm ? '~' : '-');
        // The sign applies to the whole term: -s * t is the complement of the product.
        wrapTerm = setTerm && !first->ops.empty();
    }
    if (wrapTerm) f.Cpp("(");
    first->WriteCPP(f);
    if (wrapTerm) f.Cpp(")");
    for (auto& op : ops) {
        op->WriteCPP(f);
        if (set) f.Cpp(")");
    }
}

// ---------------------------------------------------------------- CExpr

int CExpr::Init(CLexBuf& lb)
{
    CNestingGuard guard;
    if (guard.TooDeep()) return errFactorStart;
    if (int err = ReadLeft(lb)) return err;
    resultKind = left->resultKind;
    if (mode != exprFull) return errOK;
    SLexPos pos = lb.SavePos();
    int code = 0;
    relation = lb.NextSymbol(code) ? SymbolToRelation(code) : relNone;
    if (relation == relNone) {
        lb.RestorePos(pos);
        return errOK;
    }
    if (relation == relIs) return ReadTypeTest(lb);
    if (relation == relIn)
        if (int err = CheckSetElement()) return err;
    // A procedure variable is compared with a procedure, not with the result of calling it.
    EParseMode rightMode = left->resultKind == kindCharVar ? exprCharContext : exprFull;
    bool procedureLeft = left->resultKind == kindProcedureVar || left->resultKind == kindProcedure;
    if (procedureLeft && (relation == relEql || relation == relNeq)) {
        SLexPos at = lb.SavePos();
        int next = 0;
        if (lb.NextSymbol(next) && next == symIdent) rightMode = exprDesignatorOnly;
        lb.RestorePos(at);
    }
    right = std::make_unique<CSimpleExpr>(scope, rightMode, false);
    if (int err = right->Init(lb)) return err;
    // A one-character string compared with a character is that character.
    if (right->resultKind == kindCharVar) {
        CFactor* single = left->SingleFactor();
        if (auto* a = single ? As<CArrayVar>(LeftDesignated()) : nullptr) {
            if (a->isConst && a->hasText && a->text.size() == 1) {
                if (relation == relIn) return errExprCompatibility;
                single->MakeCharLiteral(a->text[0]);
                left->resultKind = left->first->resultKind = kindCharVar;
            }
        }
    }
    resultKind = kindBoolVar;
    return CheckRelation();
}

// The left operand. A procedure named before "=" or "#" is the procedure itself, not a call of
// it (Sq = f); anything else is read as a full operand.
int CExpr::ReadLeft(CLexBuf& lb)
{
    SLexPos pos = lb.SavePos();
    int code = 0;
    // Only a plain or qualified name right before the relation is tried, so that nested
    // operands are never read twice.
    bool named = false;
    if (mode == exprFull && lb.NextSymbol(code) && code == symIdent && lb.NextSymbol(code)) {
        if (code == symPeriod && lb.NextSymbol(code) && code == symIdent) lb.NextSymbol(code);
        named = code == symEql || code == symNeq;
    }
    lb.RestorePos(pos);
    if (named) {
        auto operand = std::make_unique<CSimpleExpr>(scope, exprDesignatorOnly, false);
        int err = operand->Init(lb);
        if ((err == errOK && operand->resultKind == kindProcedure) || err == errLocalProcAsValue) {
            SLexPos after = lb.SavePos();
            bool compared = lb.NextSymbol(code) && (code == symEql || code == symNeq);
            lb.RestorePos(after);
            if (compared) {
                left = std::move(operand);
                return err;
            }
        }
        lb.RestorePos(pos);
    }
    left = std::make_unique<CSimpleExpr>(scope, mode, actualPar);
    return left->Init(lb);
}

void CExpr::MakeCharOfString()
{
    if (resultKind != kindArrayVar || relation != relNone) return;
    CFactor* single = left->SingleFactor();
    auto* a = single ? As<CArrayVar>(FactorTarget(single)) : nullptr;
    if (!a || !a->isConst || !a->hasText || a->text.size() != 1) return;
    single->MakeCharLiteral(a->text[0]);
    resultKind = left->resultKind = left->first->resultKind = kindCharVar;
}

// A constant element of IN must be an element a SET can hold.
int CExpr::CheckSetElement() const
{
    std::unique_ptr<CBaseVar> e;
    if (!IsIntegerVarKind(left->resultKind) || left->EvalConst(e) != errOK) return errOK;
    int64_t v = To<CScalarVar>(*e).intValue;
    return v < 0 || v > kMaxSetElement ? errSetElementRange : errOK;
}

CBaseName* FactorTarget(const CFactor* f)
{
    if (!f) return nullptr;
    if (f->form == formLiteral) return f->literal.get();
    if (f->form != formDesignator || f->call || !f->designator) return nullptr;
    return DesignatorTarget(*f->designator);
}

CBaseName* FactorValueDecl(const CFactor* f)
{
    if (f && f->form == formStdFunction && f->stdFunction)
        return static_cast<const CStdFunction&>(*f->stdFunction).ValueType();
    return FactorTarget(f);
}

// What a single designator or literal operand stands for, or nullptr.
static CBaseName* OperandDecl(const CSimpleExpr& operand)
{
    return FactorValueDecl(operand.SingleFactor());
}

// True unless `decl` is known to be an array of something else than characters.
static bool IsCharArray(CBaseName* decl)
{
    const CArrayType* array = nullptr;
    if (auto* arrayVar = As<CArrayVar>(decl)) array = arrayVar->type.get();
    else array = As<CArrayType>(decl);
    if (!array || !array->Innermost()) return true;
    return array->Innermost()->GetValueKind() == kindCharVar && array->Dimensions() == 1;
}

static bool IsNil(const CSimpleExpr& operand)
{
    CBaseName* d = OperandDecl(operand);
    return Is<CPointerVar>(d) && IsConstVar(d);
}

int CExpr::CheckRelation() const
{
    int l = left->resultKind, r = right->resultKind;
    switch (relation) {
    case relEql:
    case relNeq:
        // a procedure is compared with a procedure or NIL, a pointer with NIL or a pointer of
        // the same or an extended type
        // a procedure variable with a procedure or a procedure variable of its signature, or
        // with NIL; a procedure named on the left with a procedure variable
        if (l == kindProcedure)
            return r == kindProcedureVar && SameProcedureType(OperandDecl(*left), OperandDecl(*right)) ? errOK : errExprCompatibility;
        if (l == kindProcedureVar) {
            if (r == kindPointerVar) return IsNil(*right) ? errOK : errExprCompatibility;
            if (r != kindProcedureVar && r != kindProcedure) return errExprCompatibility;
            return SameProcedureType(OperandDecl(*left), OperandDecl(*right)) ? errOK : errExprCompatibility;
        }
        if (l == kindSetVar || l == kindBoolVar) return r == l ? errOK : errExprCompatibility;
        // SYSTEM.PTR with any pointer, NIL too
        if (l == kindPtrVar || r == kindPtrVar)
            return (l == kindPtrVar || l == kindPointerVar) && (r == kindPtrVar || r == kindPointerVar) ? errOK : errExprCompatibility;
        if (l == kindPointerVar) {
            if (r == kindProcedureVar) return IsNil(*left) ? errOK : errExprCompatibility;
            if (r != kindPointerVar || PointersDiffer(OperandDecl(*left), OperandDecl(*right))) return errExprCompatibility;
            const CRecordType* a = PointedRecord(OperandDecl(*left));
            const CRecordType* b = PointedRecord(OperandDecl(*right));
            return RecordExtends(a, b) || RecordExtends(b, a) ? errOK : errExprCompatibility;
        }
        [[fallthrough]];
    case relLss:
    case relLeq:
    case relGtr:
    case relGeq:
        if (l == kindArrayVar) {   // strings and character arrays only
            if (r != l) return errExprCompatibility;
            return IsCharArray(OperandDecl(*left)) && IsCharArray(OperandDecl(*right)) ? errOK : errExprCompatibility;
        }
        if (l == kindCharVar) return r == l ? errOK : errExprCompatibility;
        if (IsNumericVarKind(l)) return IsNumericVarKind(r) ? errOK : errExprCompatibility;
        return errExprCompatibility;
    case relIn: return IsIntegerVarKind(l) && r == kindSetVar ? errOK : errExprCompatibility;
    default: return errUnknownInternal;
    }
}

// v IS T: T must be a record type extending the static type of v (a pointer's record or a
// record variable's type).
int CExpr::ReadTypeTest(CLexBuf& lb)
{
    resultKind = kindBoolVar;
    CBaseName* v = LeftDesignated();
    CBaseName* staticType = nullptr;
    if (v && IsTypeKind(v->kind) && SelectedElement()) {
        // An array element or a field of a pointer type: the designator's selectors end at the
        // element's type, and the test applies to the record that type points to.
        CBaseName* t = ResolveType(v);
        if (auto* pointerType = As<CPointerType>(t)) staticType = pointerType->BaseRecord();
        v = nullptr;
    } else if (!Is<CBaseVar>(v) || IsConstVar(v)) {
        return errNotAVariable;
    }
    if (!v) {
    } else if (v->kind == kindCommonVar) {
        return ReadCommonTypeTest(lb, *this, *v);
    } else if (auto* pointerVar = As<CPointerVar>(v)) {
        CBaseName* base = pointerVar->Base();
        if (base && base->kind == kindCommonType) return ReadCommonTypeTest(lb, *this, *v);
        if (base && base->kind == kindRecordType) staticType = base;
    } else if (auto* r = As<CRecordVar>(v)) {
        CBaseName* named = r->typeName.empty() ? nullptr : ResolveReference(r->parent, r->typeModule, r->typeName);
        staticType = named ? named : r->type.get();
        testOnRecord = true;
    }
    if (!staticType || staticType->kind != kindRecordType) return errGuardedVarKind;
    if (int err = ReadQualifiedName(lb, scope, testQualifier, testName)) return err;
    CBaseName* t = GetGlobalName(scope, testQualifier, testName);
    if (!t) return errUndeclaredIdent;
    t = ResolveType(t);
    if (auto* pointerType = As<CPointerType>(t)) t = pointerType->Base();
    if (!t || t->kind != kindRecordType) return errNotARecordType;
    if (staticType->name.empty() || !IsExtensionOf(t, GetModuleAlias(staticType), staticType->name))
        return errGuardNotExtension;
    testType = t;
    return errOK;
}

bool CExpr::SelectedElement() const
{
    CFactor* f = left ? left->SingleFactor() : nullptr;
    if (!f || f->form != formDesignator || f->call || !f->designator) return false;
    return DesignatorTarget(*f->designator) != DesignatorNamed(*f->designator);
}

CFactor* CExpr::SingleFactor() const
{
    if (relation != relNone || !left) return nullptr;
    return left->SingleFactor();
}

CBaseName* CExpr::GetDesignatedVar() const
{
    return relation == relNone ? LeftDesignated() : nullptr;
}

CBaseName* CExpr::LeftDesignated() const
{
    CFactor* f = left ? left->SingleFactor() : nullptr;
    if (!f) return nullptr;
    if (f->form == formLiteral) return f->literal.get();
    if (f->form != formDesignator || f->call || !f->designator) return nullptr;
    CBaseName* d = DesignatorTarget(*f->designator);
    return d && (IsVarKind(d->kind) || IsTypeKind(d->kind)) ? d : nullptr;
}

bool CExpr::IsReadOnly() const
{
    CFactor* f = SingleFactor();
    if (!f || f->form != formDesignator || f->call || !f->designator) return true;
    return DesignatorReadOnly(*f->designator);
}

void CExpr::NoteChanged() const
{
    CFactor* f = SingleFactor();
    if (f && f->form == formDesignator && !f->call && f->designator) DesignatorChanged(*f->designator);
}

CBaseName* CExpr::GetWritableVar() const
{
    CBaseName* d = GetDesignatedVar();
    if (IsConstVar(d)) return nullptr;
    return d;
}

// A boolean operand with operators is bracketed: C++ binds == tighter than || and &&.
void CExpr::WriteOperand(CCppOutput& f, CSimpleExpr& operand)
{
    bool wrap = operand.resultKind == kindBoolVar && operand.HasOperators();
    if (wrap) f.Cpp("(");
    operand.WriteCPP(f);
    if (wrap) f.Cpp(")");
}

void CExpr::WriteCPP(CCppOutput& f)
{
    static const char* const kRelationText[] = {"", " == ", " != ", " < ", " <= ", " > ", " >= "};
    switch (relation) {
    case relNone: left->WriteCPP(f); return;
    case relIn:
        f.Cpp("((VYK_BIT(");
        left->WriteCPP(f);
        f.Cpp(") & (");
        right->WriteCPP(f);
        f.Cpp(")) != 0)");
        return;
    case relIs:
        if (commonTest) {
            commonTest->WriteCPP(f);
            return;
        }
        if (!testType) throw error_Internal("CExpr::WriteCPP");
        f.Cpp("VYK_IS<%s%s>(%s", CppQualifier(scope, testQualifier, false).c_str(),
              CppId(testName).c_str(), testOnRecord ? "&(" : "");
        left->WriteCPP(f);
        f.Cpp("%s)", testOnRecord ? ")" : "");
        return;
    default:
        if (relation < relEql || relation > relGeq) throw error_Internal("CExpr::WriteCPP");
        // Character arrays and strings compare their contents.
        if (left->resultKind == kindArrayVar && right->resultKind == kindArrayVar) {
            f.Cpp("(strcmp(");
            left->WriteCPP(f);
            f.Cpp(", ");
            right->WriteCPP(f);
            f.Cpp(")%s0)", kRelationText[relation]);
            return;
        }
        // Characters are ordered by their codes, 0X to 0FFX, not by C++'s signed char.
        if (left->resultKind == kindCharVar && relation >= relLss) {
            f.Cpp("(unsigned char)(");
            left->WriteCPP(f);
            f.Cpp(")%s(unsigned char)(", kRelationText[relation]);
            right->WriteCPP(f);
            f.Cpp(")");
            return;
        }
        WriteOperand(f, *left);
        f.Cpp("%s", kRelationText[relation]);
        WriteOperand(f, *right);
    }
}

int ReadConstExpr(CLexBuf& lb, CBaseName* scope, std::unique_ptr<CBaseVar>& result)
{
    CExpr expr(scope, exprFull, false);
    if (int err = expr.Init(lb)) return err;
    return expr.EvalConst(result);
}
