// The thirteen predeclared functions: argument checks, the C++ text written in place of the
// call and the folded constant. LONG and SHORT convert in the C++ text, ODD is true for
// negative odd numbers, ASH shifts right for negative counts, and MIN of the real types is
// the most negative finite value, in the text and in folding alike.
#include <cctype>
#include <cfloat>
#include <climits>
#include <cmath>

#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "emit/Output.h"
#include "code/Designator.h"
#include "code/StdProcs.h"
#include "CppIdent.h"
#include "decl/Types.h"
#include "decl/Vars.h"

namespace {

std::unique_ptr<CBaseVar> IntConst(int kind, int64_t value, CBaseName* scope)
{
    std::unique_ptr<CScalarVar> c = MakeScalarVar(kind, scope);
    c->isConst = true;
    c->intValue = value;
    return c;
}

std::unique_ptr<CBaseVar> RealConst(int kind, double value, CBaseName* scope)
{
    std::unique_ptr<CScalarVar> c = MakeScalarVar(kind, scope);
    c->isConst = true;
    c->realValue = value;
    return c;
}

constexpr int64_t kMaxChar = 255;
constexpr int64_t kLongBits = int64_t(sizeof(long) * CHAR_BIT);

int Done(std::unique_ptr<CBaseVar> value, std::unique_ptr<CBaseVar>& result)
{
    result = std::move(value);
    return errOK;
}

// The range of an integer kind in the C++ type it is written as.
int64_t MaxOfKind(int kind)
{
    return kind == kindLongintVar ? LONG_MAX : kind == kindIntegerVar ? INT_MAX : SHRT_MAX;
}
int64_t MinOfKind(int kind)
{
    return kind == kindLongintVar ? LONG_MIN : kind == kindIntegerVar ? INT_MIN : SHRT_MIN;
}

// A constant call whose value does not exist (beyond its kind, an overflow) is an error where
// its last argument is read, also when the call stands in an expression that is not constant.
int CheckFold(CStdFunction& function)
{
    std::unique_ptr<CBaseVar> value;
    int err = function.EvalConst(value);
    return err == errConstOverflow || err == errConstOutOfRange ? err : errOK;
}

// A function with one expression argument: "(" x ")".
class CUnaryFunction : public CStdFunction {
public:
    std::unique_ptr<CExpr> x;
    int mode;
    SSourceAt at;   // the function word, for the range checks
    CUnaryFunction(CBaseName* scope, int mode = exprFull) : CStdFunction(scope), mode(mode) {}

    int Init(CLexBuf& lb) override
    {
        at = SSourceAt{lb.Line(), lb.Column()};
        if (int err = lb.Expect(symLparen, errLparenMissing)) return err;
        x = std::make_unique<CExpr>(scope, mode, false);
        if (int err = x->Init(lb)) return err;
        if (int err = Check(x->resultKind)) return err;
        if (int err = CheckFold(*this)) return err;
        return lb.Expect(symRparen, errRparenMissing);
    }
    int EvalConst(std::unique_ptr<CBaseVar>& result) override
    {
        std::unique_ptr<CBaseVar> value;
        if (int err = x->EvalConst(value)) return err;
        return Fold(*value, result);
    }
    void WriteCPP(CCppOutput& f) override
    {
        const char* check = f.checks ? CheckedBefore() : nullptr;
        f.Cpp("%s", check ? check : Before());
        x->WriteCPP(f);
        if (check) f.Cpp(", %s", f.At(at).c_str());
        f.Cpp("%s", After());
    }

protected:
    // Sets resultKind from the argument's kind; 16 for a kind the function does not take.
    virtual int Check(EKind kind) = 0;
    // The folded value, or the error of a value the result kind cannot hold.
    virtual int Fold(const CBaseVar& value, std::unique_ptr<CBaseVar>& result) = 0;
    virtual const char* Before() const = 0;
    virtual const char* After() const { return ")"; }
    // Under checks: the opening of the checked form, whose place argument follows the
    // argument; nullptr when the function has none.
    virtual const char* CheckedBefore() const { return nullptr; }
};

// ABS(x): "abs(", "labs(" or "fabs(".
class CAbsFunction : public CUnaryFunction {
    using CUnaryFunction::CUnaryFunction;
    int Check(EKind kind) override
    {
        resultKind = kind;
        return IsNumericVarKind(kind) ? errOK : errIncompatibleAssignment;
    }
    int Fold(const CBaseVar& v, std::unique_ptr<CBaseVar>& result) override
    {
        if (IsRealVarKind(v.kind)) return Done(RealConst(v.kind, std::fabs(RealOf(v)), scope), result);
        int64_t i = IntOf(v);
        if (i == MinOfKind(v.kind)) return errConstOverflow;
        return Done(IntConst(v.kind, i < 0 ? -i : i, scope), result);
    }
    const char* Before() const override
    {
        return resultKind == kindLongintVar ? "labs(" : IsRealVarKind(resultKind) ? "fabs(" : "abs(";
    }
};

// CAP(x): the capital of a letter a to z; any other character as it is. VYK_CAP is inline,
// unlike the C library's toupper, and does not depend on the locale.
class CCapFunction : public CUnaryFunction {
public:
    explicit CCapFunction(CBaseName* scope) : CUnaryFunction(scope, exprCharContext) {}
    int Check(EKind kind) override
    {
        resultKind = kindCharVar;
        return kind == kindCharVar ? errOK : errIncompatibleAssignment;
    }
    int Fold(const CBaseVar& v, std::unique_ptr<CBaseVar>& result) override
    {
        unsigned char c = static_cast<unsigned char>(IntOf(v));
        if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
        return Done(IntConst(kindCharVar, static_cast<signed char>(c), scope), result);
    }
    const char* Before() const override { return "VYK_CAP("; }
};

// CHR(x): the character with the low byte of x.
class CChrFunction : public CUnaryFunction {
    using CUnaryFunction::CUnaryFunction;
    int Check(EKind kind) override
    {
        resultKind = kindCharVar;
        return IsIntegerVarKind(kind) ? errOK : errIncompatibleAssignment;
    }
    int Fold(const CBaseVar& v, std::unique_ptr<CBaseVar>& result) override
    {
        if (IntOf(v) < 0 || IntOf(v) > kMaxChar) return errConstOutOfRange;
        return Done(IntConst(kindCharVar, static_cast<signed char>(IntOf(v)), scope), result);
    }
    const char* Before() const override { return "(char)("; }
    const char* CheckedBefore() const override { return "VYK_CHR("; }
};

// ENTIER(x): the largest integer not above x.
class CEntierFunction : public CUnaryFunction {
    using CUnaryFunction::CUnaryFunction;
    int Check(EKind kind) override
    {
        resultKind = kindLongintVar;
        return IsRealVarKind(kind) ? errOK : errIncompatibleAssignment;
    }
    int Fold(const CBaseVar& v, std::unique_ptr<CBaseVar>& result) override
    {
        double f = std::floor(RealOf(v));
        if (!(f >= double(LONG_MIN) && f < -double(LONG_MIN))) return errConstOutOfRange;
        return Done(IntConst(kindLongintVar, int64_t(f), scope), result);
    }
    const char* Before() const override { return "VYK_ENTIER("; }
    const char* After() const override { return ")"; }
    const char* CheckedBefore() const override { return "VYK_ENTIER_CHK("; }
};

// ODD(x): true for odd x, negative ones included.
class COddFunction : public CUnaryFunction {
    using CUnaryFunction::CUnaryFunction;
    int Check(EKind kind) override
    {
        resultKind = kindBoolVar;
        return IsIntegerVarKind(kind) ? errOK : errIncompatibleAssignment;
    }
    int Fold(const CBaseVar& v, std::unique_ptr<CBaseVar>& result) override
    {
        return Done(IntConst(kindBoolVar, IntOf(v) % 2 != 0, scope), result);
    }
    const char* Before() const override { return "(("; }
    const char* After() const override { return ") % 2 != 0)"; }
};

// ORD(x): the character's code 0 to 255.
class COrdFunction : public CUnaryFunction {
public:
    explicit COrdFunction(CBaseName* scope) : CUnaryFunction(scope, exprCharContext) {}
    int Check(EKind kind) override
    {
        resultKind = kindIntegerVar;
        return kind == kindCharVar ? errOK : errIncompatibleAssignment;
    }
    int Fold(const CBaseVar& v, std::unique_ptr<CBaseVar>& result) override
    {
        return Done(IntConst(kindIntegerVar, IntOf(v) & 0xFF, scope), result);
    }
    const char* Before() const override { return "ORD("; }
};

// LONG(x) and SHORT(x): the value converted to the next wider or narrower kind.
class CConvertFunction : public CUnaryFunction {
public:
    bool widen;
    CConvertFunction(CBaseName* scope, bool widen) : CUnaryFunction(scope), widen(widen) {}
    int Check(EKind kind) override
    {
        if (widen)
            resultKind = kind == kindRealVar ? kindLongrealVar : kind == kindIntegerVar ? kindLongintVar
                       : kind == kindShortintVar ? kindIntegerVar : kindNone;
        else
            resultKind = kind == kindLongrealVar ? kindRealVar : kind == kindLongintVar ? kindIntegerVar
                       : kind == kindIntegerVar ? kindShortintVar : kindNone;
        return resultKind ? errOK : errIncompatibleAssignment;
    }
    int Fold(const CBaseVar& v, std::unique_ptr<CBaseVar>& result) override
    {
        if (IsRealVarKind(resultKind)) return Done(RealConst(resultKind, RealOf(v), scope), result);
        int64_t i = IntOf(v);
        if (i < MinOfKind(resultKind) || i > MaxOfKind(resultKind)) return errConstOutOfRange;
        return Done(IntConst(resultKind, i, scope), result);
    }
    const char* Before() const override
    {
        switch (resultKind) {
        case kindLongrealVar: return "((long double)(";
        case kindRealVar: return "((double)(";
        case kindLongintVar: return "((long)(";
        case kindIntegerVar: return "((int)(";
        default: return "((short)(";
        }
    }
    const char* After() const override { return "))"; }
    const char* CheckedBefore() const override
    {
        if (widen) return nullptr;
        switch (resultKind) {
        case kindRealVar: return "(VYK_SHORT_REAL(";
        case kindIntegerVar: return "(VYK_SHORT_INT(";
        default: return "(VYK_SHORT_SHORTINT(";
        }
    }
};

// ASH(x, n): x * 2^n, a right shift (rounding down) for negative n.
class CAshFunction : public CStdFunction {
public:
    std::unique_ptr<CExpr> x, n;
    using CStdFunction::CStdFunction;

    int Init(CLexBuf& lb) override
    {
        if (int err = lb.Expect(symLparen, errLparenMissing)) return err;
        x = std::make_unique<CExpr>(scope, exprFull, false);
        if (int err = x->Init(lb)) return err;
        if (!IsIntegerVarKind(x->resultKind)) return errIncompatibleAssignment;
        if (int err = lb.Expect(symComma, errCommaMissing)) return err;
        n = std::make_unique<CExpr>(scope, exprFull, false);
        if (int err = n->Init(lb)) return err;
        if (!IsIntegerVarKind(n->resultKind)) return errIncompatibleAssignment;
        resultKind = kindLongintVar;
        if (int err = CheckFold(*this)) return err;
        return lb.Expect(symRparen, errRparenMissing);
    }
    int EvalConst(std::unique_ptr<CBaseVar>& result) override
    {
        std::unique_ptr<CBaseVar> a, b;
        if (int err = x->EvalConst(a)) return err;
        if (int err = n->EvalConst(b)) return err;
        int64_t value = IntOf(*a), count = IntOf(*b), shifted = Shift(value, count);
        // A left shift that loses bits overflows: the folded value is exactly x * 2^n.
        if (value != 0 && count > 0 && (count >= kLongBits || (shifted >> count) != value))
            return errConstOverflow;
        result = IntConst(kindLongintVar, shifted, scope);
        return errOK;
    }
    void WriteCPP(CCppOutput& f) override
    {
        f.Cpp("VYK_ASH(");
        x->WriteCPP(f);
        f.Cpp(", ");
        n->WriteCPP(f);
        f.Cpp(")");
    }
    static int64_t Shift(int64_t value, int64_t count)
    {
        if (count >= kLongBits) return 0;
        if (count <= -kLongBits) return value < 0 ? -1 : 0;
        if (count >= 0) return int64_t(uint64_t(value) << count);
        return value >> -count;   // arithmetic: rounds towards minus infinity
    }
};

// LEN(a [, dim]) and LEN("string"). Besides an array variable, any designator of an array
// is taken: a field, a row a[i], or p^ with the lengths an array made by NEW keeps.
class CLenFunction : public CStdFunction {
public:
    long dimension = 0;
    int length = 0;          // 0 for an open dimension
    std::string lengthText;  // the C++ text of an open dimension's length
    std::unique_ptr<CDesignator> array;   // an open dimension's array, for its checked text
    using CStdFunction::CStdFunction;

    int Init(CLexBuf& lb) override
    {
        resultKind = kindLongintVar;
        if (int err = lb.Expect(symLparen, errLparenMissing)) return err;
        SLexPos pos = lb.SavePos();
        int code = 0;
        std::string text;
        if (!lb.NextSymbol(code, text) || (code != symIdent && code != symString)) return errLenNotArray;
        if (code == symString) {
            if (text.size() < 2) return errLenNotArray;
            length = int(text.size());
            return lb.Expect(symRparen, errRparenMissing);
        }
        lb.RestorePos(pos);
        array = std::make_unique<CDesignator>(scope, false);
        if (int err = array->Init(lb)) return err;
        std::vector<std::string> lengths = array->isCall ? std::vector<std::string>() : array->LengthTexts();
        if (lengths.empty()) return errLenNotArray;
        if (int err = ReadDimension(lb)) return err;
        if (dimension < 0 || size_t(dimension) >= lengths.size()) return errLenDimension;
        const std::string& chosen = lengths[size_t(dimension)];
        if (chosen.find_first_not_of("0123456789") == std::string::npos)
            length = std::stoi(chosen);
        else
            lengthText = chosen;
        return errOK;
    }
    int EvalConst(std::unique_ptr<CBaseVar>& result) override
    {
        if (length == 0) return errConstExpected;
        result = IntConst(kindLongintVar, length, scope);
        return errOK;
    }
    void WriteCPP(CCppOutput& f) override
    {
        if (length != 0)
            f.Cpp("%i", length);
        else if (f.checks)
            f.Cpp("%s", array->LengthTexts(&f)[size_t(dimension)].c_str());
        else
            f.Cpp("%s", lengthText.c_str());
    }

private:
    // ["," ConstExpression] ")"
    int ReadDimension(CLexBuf& lb)
    {
        int code = 0;
        if (!lb.NextSymbol(code) || code < symPeriod) return errRparenMissing;
        if (code == symComma) {
            std::unique_ptr<CBaseVar> dim;
            if (int err = ReadConstExpr(lb, scope, dim)) return err;
            if (!IsIntegerVarKind(dim->kind)) return errParamNotIntConst;
            dimension = dim->GetIntValue();
            if (!lb.NextSymbol(code) || code < symPeriod) return errRparenMissing;
        }
        return code == symRparen ? errOK : errRparenMissing;
    }
};

// MAX(T) and MIN(T) of a basic type or SET.
class CMaxMinFunction : public CStdFunction {
public:
    bool isMax;
    bool isSet = false;
    CMaxMinFunction(CBaseName* scope, bool isMax) : CStdFunction(scope), isMax(isMax) {}

    int Init(CLexBuf& lb) override
    {
        if (int err = lb.Expect(symLparen, errLparenMissing)) return err;
        CQualident type;
        if (int err = ReadTypeReference(lb, scope, type)) return err;
        if (type.valueKind == kindSetVar) {
            isSet = true;
            resultKind = kindIntegerVar;
        } else if (type.valueKind >= kindLongrealVar && type.valueKind <= kindBoolVar) {
            resultKind = type.valueKind;
        } else {
            return isMax ? errMaxNotBasicType : errMinNotBasicType;
        }
        return lb.Expect(symRparen, errRparenMissing);
    }
    int EvalConst(std::unique_ptr<CBaseVar>& result) override
    {
        if (isSet) {
            result = IntConst(kindIntegerVar, isMax ? kMaxSetElement : 0, scope);
        } else if (IsRealVarKind(resultKind)) {
            result = RealConst(resultKind, isMax ? DBL_MAX : -DBL_MAX, scope);
        } else {
            result = IntConst(resultKind, isMax ? MaxOf(resultKind) : MinOf(resultKind), scope);
        }
        return errOK;
    }
    void WriteCPP(CCppOutput& f) override
    {
        if (isSet) {
            f.Cpp(isMax ? "%i" : "0", kMaxSetElement);
            return;
        }
        switch (resultKind) {
        case kindLongrealVar:
        case kindRealVar: f.Cpp("%s1.7976931348623157e+308", isMax ? "" : "-"); break;
        case kindLongintVar:
            if (isMax) f.Cpp("%liL", LONG_MAX);
            else f.Cpp("(%liL - 1)", -LONG_MAX);
            break;
        case kindIntegerVar:
            if (isMax) f.Cpp("%i", INT_MAX);
            else f.Cpp("(%i - 1)", -INT_MAX);
            break;
        case kindShortintVar: f.Cpp("%hi", isMax ? short(SHRT_MAX) : short(SHRT_MIN)); break;
        case kindCharVar: f.Cpp("%s", isMax ? "(char)(255)" : "0"); break;
        default: f.Cpp("%s", isMax ? "true" : "false"); break;
        }
    }

private:
    static int64_t MaxOf(int kind)
    {
        switch (kind) {
        case kindLongintVar: return LONG_MAX;
        case kindIntegerVar: return INT_MAX;
        case kindShortintVar: return SHRT_MAX;
        case kindCharVar: return -1;   // the character 255 as a signed byte
        default: return 1;             // TRUE
        }
    }
    static int64_t MinOf(int kind)
    {
        switch (kind) {
        case kindLongintVar: return LONG_MIN;
        case kindIntegerVar: return INT_MIN;
        case kindShortintVar: return SHRT_MIN;
        default: return 0;
        }
    }
};

// SIZE(T): the size of T's C++ type as an INTEGER, written int(sizeof(T)); an array type as its
// elements' size times their number, since its C++ name is its element type's (without the "*"
// of pointer elements). Folded where the size is known here: the basic types, pointers and
// arrays of them; a record's layout only C++ knows.
class CSizeFunction : public CStdFunction {
public:
    CQualident type;
    long elements = 1;                  // of an array type, over all its dimensions
    int elementKind = 0;                // value kind of those elements, of T when it is no array
    const CBaseName* element = nullptr; // an array type's element type after all dimensions
    const CArrayType* array = nullptr;  // the array type itself
    using CStdFunction::CStdFunction;

    int Init(CLexBuf& lb) override
    {
        resultKind = kindIntegerVar;
        if (int err = lb.Expect(symLparen, errLparenMissing)) return err;
        if (int err = ReadTypeReference(lb, scope, type)) return err;
        elementKind = type.valueKind;
        if (type.valueKind == kindArrayVar) {
            CBaseName* t = ResolveReference(scope, type.qualifier, type.name);
            array = As<CArrayType>(t);
            while (auto* a = As<CArrayType>(t)) {
                if (__builtin_mul_overflow(elements, long(a->length), &elements)) return errConstOverflow;
                element = a->elem.get();
                t = element ? ResolveType(const_cast<CBaseName*>(element)) : nullptr;
            }
            elementKind = t ? t->GetValueKind() : kindNone;
        }
        if (int err = CheckFold(*this)) return err;
        return lb.Expect(symRparen, errRparenMissing);
    }
    int EvalConst(std::unique_ptr<CBaseVar>& result) override
    {
        long size = 0;
        if (KnownSize(elementKind) == 0) return errConstExpected;
        if (__builtin_mul_overflow(elements, KnownSize(elementKind), &size) || size > INT_MAX)
            return errConstOutOfRange;
        result = IntConst(size <= SHRT_MAX ? kindShortintVar : kindIntegerVar, size, scope);
        return errOK;
    }
    void WriteCPP(CCppOutput& f) override
    {
        if (type.valueKind == kindArrayVar) {
            std::string text = array && element == array->Innermost() ? ArrayElementCppName(array, false)
                                                                     : ElementCppName(element, false);
            f.Cpp("int(sizeof(%s) * %li)", text.c_str(), elements);
        } else {
            f.Cpp("int(sizeof(%s))", type.CppText(scope, false).c_str());
        }
    }

private:
    // sizeof of the C++ type of a basic type or a pointer; 0 for the other kinds.
    static long KnownSize(int kind)
    {
        switch (kind) {
        case kindPointerVar: return long(sizeof(void*));
        case kindLongrealVar: return long(sizeof(long double));
        case kindRealVar: return long(sizeof(double));
        case kindLongintVar: return long(sizeof(long));
        case kindIntegerVar: case kindSetVar: return long(sizeof(int));
        case kindShortintVar: return long(sizeof(short));
        case kindBoolVar: return long(sizeof(bool));
        case kindCharVar: return long(sizeof(char));
        default: return 0;
        }
    }
};

}  // namespace

std::unique_ptr<CStdFunction> CreateStdFunction(int symbol, CBaseName* scope)
{
    switch (symbol) {
    case symABS: return std::make_unique<CAbsFunction>(scope);
    case symASH: return std::make_unique<CAshFunction>(scope);
    case symCAP: return std::make_unique<CCapFunction>(scope);
    case symCHR: return std::make_unique<CChrFunction>(scope);
    case symENTIER: return std::make_unique<CEntierFunction>(scope);
    case symLEN: return std::make_unique<CLenFunction>(scope);
    case symLONG: return std::make_unique<CConvertFunction>(scope, true);
    case symMAX: return std::make_unique<CMaxMinFunction>(scope, true);
    case symMIN: return std::make_unique<CMaxMinFunction>(scope, false);
    case symODD: return std::make_unique<COddFunction>(scope);
    case symORD: return std::make_unique<COrdFunction>(scope);
    case symSHORT: return std::make_unique<CConvertFunction>(scope, false);
    case symSIZE: return std::make_unique<CSizeFunction>(scope);
    default: return nullptr;
    }
}
