// Expressions inside a fixed module: the C++ text of every operator, the kind rules with their
// error codes, and constant folding (true integer results, mixed integer and real operands,
// DIV and MOD rounding down, sets, strings, relations).
#include <gtest/gtest.h>

#include <cmath>

#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "decl/Module.h"
#include "emit/Output.h"
#include "driver/Project.h"
#include "code/Expr.h"
#include "decl/Vars.h"

namespace {

const char* const kModule =
    "MODULE M;\n"
    "CONST c = 5; str = \"abc\"; one = \"x\"; nil = NIL; big = 70000;\n"
    "TYPE R = RECORD f: INTEGER END; R2 = RECORD (R) g: INTEGER END; Q = RECORD END;\n"
    "  P = POINTER TO R; P2 = POINTER TO R2;\n"
    "VAR a, b, i, j: INTEGER; x, y: REAL; lx: LONGREAL; si: SHORTINT; li: LONGINT;\n"
    "  s, t, u: SET; p, q: BOOLEAN; ch: CHAR; arr, arr2: ARRAY 10 OF CHAR;\n"
    "  ptr: P; ptr2: P2; r: R; new, index: INTEGER;\n"
    "END M.\n";

class ExprTest : public ::testing::Test {
protected:
    CProject project;
    CModule module;

    void SetUp() override
    {
        auto lb = CLexBuf::TokenizeText(kModule, "M.vyk", 1);
        ASSERT_TRUE(lb);
        ASSERT_EQ(module.Init(project, *lb), 0);
    }

    // Parses `text` as a whole expression: the error code, or 0 and the C++ text in `cpp`.
    int Parse(const std::string& text, std::string& cpp, int& kind)
    {
        auto lb = CLexBuf::TokenizeText(text, "e", 1);
        if (!lb) return -1;
        CExpr e(&module, exprFull, false);
        if (int err = e.Init(*lb)) return err;
        int code = 0;
        if (lb->NextSymbol(code)) return -2;   // not everything was read
        CCppOutput f;
        f.OpenInMemory("M");
        size_t start = f.SourceText().size();
        e.WriteCPP(f);
        cpp = f.SourceText().substr(start);
        kind = e.resultKind;
        return 0;
    }
    std::string Cpp(const std::string& text)
    {
        std::string cpp;
        int kind = 0;
        int err = Parse(text, cpp, kind);
        return err ? std::string("error: ") + MessageText(err) : cpp;
    }
    int Error(const std::string& text)
    {
        std::string cpp;
        int kind = 0;
        return Parse(text, cpp, kind);
    }
    int Kind(const std::string& text)
    {
        std::string cpp;
        int kind = 0;
        return Parse(text, cpp, kind) ? -1 : kind;
    }
    // Folds `text`: the error code, or 0 with the constant in `value`.
    int Fold(const std::string& text, std::unique_ptr<CBaseVar>& value)
    {
        auto lb = CLexBuf::TokenizeText(text, "e", 1);
        return ReadConstExpr(*lb, &module, value);
    }
    // "<kind>:<C++ literal>" of a folded constant, or "error: <message>".
    std::string Folded(const std::string& text)
    {
        std::unique_ptr<CBaseVar> v;
        if (int err = Fold(text, v)) return std::string("error: ") + MessageText(err);
        return std::string(KindName(v->kind)) + ":" + v->ConstCppText();
    }
};

TEST_F(ExprTest, ArithmeticText)
{
    EXPECT_EQ(Cpp("a * b * i"), "((a * b) * i)");
    EXPECT_EQ(Cpp("a MOD b"), "MOD(a , b)");
    EXPECT_EQ(Cpp("i / j"), "i / double(j)");
    EXPECT_EQ(Cpp("a + b * i"), "a + (b * i)");
    EXPECT_EQ(Cpp("-a - (-5)"), "-a - (-5)");
    EXPECT_EQ(Error("a - -5"), errFactorStart);
    EXPECT_EQ(Cpp("a - 0FFFFFFFFH"), "a - (-1)");
    EXPECT_EQ(Cpp("-(-a)"), "-(-a)");
    EXPECT_EQ(Cpp("p OR q & ~p"), "p || q && !p");
    EXPECT_EQ(Cpp("80000000H"), "(-2147483647 - 1)");
}

TEST_F(ExprTest, SetTextKeepsSourceGrouping)
{
    EXPECT_EQ(Cpp("s - t"), "(s & ~(t))");
    EXPECT_EQ(Cpp("s + t - u"), "((s | t) & ~(u))");
    EXPECT_EQ(Cpp("s / t * u"), "((s ^ t) & u)");
    EXPECT_EQ(Cpp("s / t - u"), "((s ^ t) & ~(u))");
    EXPECT_EQ(Cpp("-s"), "~s");
    EXPECT_EQ(Cpp("-s * t"), "~((s & t))");
    EXPECT_EQ(Cpp("{1, 3}"), "10");
    EXPECT_EQ(Cpp("{i, 2..4}"), "(VYK_BIT(i) | 28)");
    EXPECT_EQ(Cpp("{i..j}"), "(VYK_SET_RANGE(i,j))");
    EXPECT_EQ(Cpp("{i..3}"), "(VYK_SET_RANGE(i,3))");
    EXPECT_EQ(Cpp("{}"), "0");
    EXPECT_EQ(Cpp("{0, 31}"), "(-2147483647)");
}

TEST_F(ExprTest, RelationsText)
{
    EXPECT_EQ(Cpp("a = b"), "a == b");
    EXPECT_EQ(Cpp("a # b + 1"), "a != b + 1");
    EXPECT_EQ(Cpp("x >= a"), "x >= a");
    EXPECT_EQ(Cpp("3 IN s"), "((VYK_BIT(3) & (s)) != 0)");
    EXPECT_EQ(Cpp("(3 IN s) = (7 IN s)"), "(((VYK_BIT(3) & (s)) != 0)) == (((VYK_BIT(7) & (s)) != 0))");
    EXPECT_EQ(Cpp("p OR q = q"), "(p || q) == q");
    EXPECT_EQ(Cpp("s + t = u"), "(s | t) == u");
    EXPECT_EQ(Cpp("arr = arr2"), "(strcmp(arr, arr2) == 0)");
    EXPECT_EQ(Cpp("arr < \"abc\""), "(strcmp(arr, \"abc\") < 0)");
    EXPECT_EQ(Cpp("ch = \"A\""), "ch == 65");
    EXPECT_EQ(Cpp("\"A\" < ch"), "(unsigned char)(65) < (unsigned char)(ch)");
    EXPECT_EQ(Cpp("ch = one"), "ch == 120");
    EXPECT_EQ(Cpp("ptr = NIL"), "ptr == 0");
    EXPECT_EQ(Cpp("nil # ptr"), "0 != ptr");
    EXPECT_EQ(Cpp("ptr IS P2"), "VYK_IS<P2>(ptr)");
    EXPECT_EQ(Cpp("ptr IS R2"), "VYK_IS<R2>(ptr)");
    EXPECT_EQ(Cpp("ptr IS R"), "VYK_IS<R>(ptr)");
    EXPECT_EQ(Cpp("new + index"), "new_ + index_");
}

TEST_F(ExprTest, KindsAndErrors)
{
    EXPECT_EQ(Kind("i / j"), kindRealVar);
    EXPECT_EQ(Kind("lx / i"), kindLongrealVar);
    EXPECT_EQ(Kind("si + i"), kindIntegerVar);
    EXPECT_EQ(Kind("x * li"), kindRealVar);
    EXPECT_EQ(Kind("3 IN s"), kindBoolVar);
    EXPECT_EQ(Error("i DIV 2.0"), errExprCompatibility);
    EXPECT_EQ(Error("+s"), errExprCompatibility);
    EXPECT_EQ(Error("-TRUE"), errExprCompatibility);
    EXPECT_EQ(Error("TRUE & 1"), errExprCompatibility);
    EXPECT_EQ(Error("1 & TRUE"), errExprCompatibility);
    EXPECT_EQ(Error("s * 3"), errExprCompatibility);
    EXPECT_EQ(Error("ch = \"AB\""), errExprCompatibility);
    EXPECT_EQ(Error("ch + 1"), errExprCompatibility);
    EXPECT_EQ(Error("ptr = 1"), errExprCompatibility);
    EXPECT_EQ(Error("s < t"), errExprCompatibility);
    EXPECT_EQ(Error("(a"), errRparenMissing);
    EXPECT_EQ(Error("{1, 2"), errRbraceMissing);
    EXPECT_EQ(Error("{x}"), errSetElementNotInteger);
    EXPECT_EQ(Error("{32}"), errSetElementRange);
    EXPECT_EQ(Error("{3..1}"), errSetRangeBounds);
    EXPECT_EQ(Error("100X"), errCharConstTooLong);
    EXPECT_EQ(Error("10000000000000000H"), errNumberTooLarge);
    EXPECT_EQ(Error("64 IN s"), errSetElementRange);
    EXPECT_EQ(Error("-1 IN s"), errSetElementRange);
    EXPECT_EQ(Error("MAX(LONGINT) + 1 + li"), errConstOverflow);
    EXPECT_EQ(Error("7 DIV 0 * i"), errDivisionByZero);
    EXPECT_EQ(Error("i + CHR(256)"), errConstOutOfRange);
    EXPECT_EQ(Error("zzz"), errUndeclaredIdent);
    EXPECT_EQ(Error(")"), errFactorStart);
    EXPECT_EQ(Error("ptr IS Q"), errGuardNotExtension);
    EXPECT_EQ(Error("ptr2 IS R"), errGuardNotExtension);
    EXPECT_EQ(Error("ptr IS zzz"), errUndeclaredIdent);
    EXPECT_EQ(Error("ptr IS c"), errNotARecordType);
    EXPECT_EQ(Error("a IS R"), errGuardedVarKind);
    EXPECT_EQ(Error("5 IS R"), errNotAVariable);
}

TEST_F(ExprTest, IntegerFoldingIsExact)
{
    EXPECT_EQ(Folded("32767"), "ShortintVar:32767");
    EXPECT_EQ(Folded("32768"), "IntegerVar:32768");
    EXPECT_EQ(Folded("7FFFH"), "ShortintVar:32767");
    EXPECT_EQ(Folded("8000H"), "IntegerVar:32768");
    EXPECT_EQ(Folded("100H"), "ShortintVar:256");
    EXPECT_EQ(Folded("80000000H"), "IntegerVar:(-2147483647 - 1)");
    EXPECT_EQ(Folded("0FFFFFFFFH"), "IntegerVar:-1");
    EXPECT_EQ(Folded("300 * 300"), "IntegerVar:90000");
    EXPECT_EQ(Folded("300 * 70000"), "IntegerVar:21000000");
    EXPECT_EQ(Folded("70000 - 69999"), "IntegerVar:1");
    EXPECT_EQ(Folded("-32768"), "IntegerVar:-32768");   // 32768 is an INTEGER
    EXPECT_EQ(Folded("-32767 - 2"), "IntegerVar:-32769");
    EXPECT_EQ(Folded("2147483647 + 1"), "LongintVar:2147483648L");   // beyond INTEGER: a LONGINT
    EXPECT_EQ(Folded("-2147483647 - 1"), "IntegerVar:(-2147483647 - 1)");
    EXPECT_EQ(Folded("big * big"), "LongintVar:4900000000L");
    EXPECT_EQ(Folded("c * 2 + 1"), "ShortintVar:11");
    EXPECT_EQ(Folded("2147483648"), "LongintVar:2147483648L");
    EXPECT_EQ(Folded("9223372036854775807"), "LongintVar:9223372036854775807L");
    EXPECT_EQ(Folded("-9223372036854775807 - 1"), "LongintVar:(-9223372036854775807L - 1)");
    EXPECT_EQ(Folded("100000000H"), "LongintVar:4294967296L");   // nine hexadecimal digits: a LONGINT
    EXPECT_EQ(Folded("0FFFFFFFFFFFFFFFFH"), "ShortintVar:-1");
    EXPECT_EQ(Folded("MAX(LONGINT) + 1"), "error: Constant expression overflows");
    EXPECT_EQ(Folded("MIN(LONGINT) - 1"), "error: Constant expression overflows");
    EXPECT_EQ(Folded("MIN(LONGINT) DIV (-1)"), "error: Constant expression overflows");
    EXPECT_EQ(Folded("MIN(LONGINT) MOD (-1)"), "ShortintVar:0");
    EXPECT_EQ(Folded("-MIN(LONGINT)"), "error: Constant expression overflows");
    EXPECT_EQ(Folded("MAX(LONGINT) DIV 2 * 3"), "error: Constant expression overflows");
}

// Where C++ would compute a constant part in int and wrap, the part is written as its value;
// other constant expressions keep their text.
TEST_F(ExprTest, WidenedConstantsAreWrittenAsTheirValue)
{
    EXPECT_EQ(Cpp("100000 * 100000"), "10000000000L");
    EXPECT_EQ(Cpp("100000 * 100000 + li"), "10000000000L + li");
    EXPECT_EQ(Cpp("100000 * 100000 * li"), "(10000000000L * li)");
    EXPECT_EQ(Cpp("(2147483647 + 1) * li"), "((2147483648L) * li)");
    EXPECT_EQ(Cpp("li + 100000 * 100000"), "li + 10000000000L");
    EXPECT_EQ(Cpp("100000 * 100000 DIV 100000"), "100000");
    EXPECT_EQ(Cpp("c * 2 + 1"), "(c * 2) + 1");
    EXPECT_EQ(Cpp("big * 2 - i"), "(big * 2) - i");
    EXPECT_EQ(Kind("300 * 300"), kindIntegerVar);
    EXPECT_EQ(Kind("100000 * 100000 + i"), kindLongintVar);
    EXPECT_EQ(Kind("-2147483648"), kindLongintVar);
}

TEST_F(ExprTest, DivAndModRoundDown)
{
    EXPECT_EQ(Folded("(-7) DIV 2"), "ShortintVar:-4");
    EXPECT_EQ(Folded("(-7) MOD 2"), "ShortintVar:1");
    EXPECT_EQ(Folded("7 DIV (-2)"), "ShortintVar:-4");
    EXPECT_EQ(Folded("7 MOD (-2)"), "ShortintVar:-1");
    EXPECT_EQ(Folded("-7 DIV 2"), "ShortintVar:-3");
    EXPECT_EQ(Folded("5 DIV 0"), "error: Division by zero");
    EXPECT_EQ(Folded("5 MOD 0"), "error: Division by zero");
    EXPECT_EQ(Folded("1.0 / 0"), "error: Division by zero");
}

TEST_F(ExprTest, RealFolding)
{
    EXPECT_EQ(Folded("7 / 2"), "RealVar:3.5");
    EXPECT_EQ(Folded("1.5 * 2"), "RealVar:3.0");
    EXPECT_EQ(Folded("2 * 1.5"), "RealVar:3.0");
    EXPECT_EQ(Folded("1 + 0.5"), "RealVar:1.5");
    EXPECT_EQ(Folded("1.0D0 / 3"), "LongrealVar:0.33333333333333331");
    EXPECT_EQ(Folded("1.0 / 3"), "RealVar:0.33333333333333331");
    EXPECT_EQ(Folded("-2.5"), "RealVar:-2.5");
    EXPECT_EQ(Folded("1.5D-3"), "LongrealVar:0.0015");
    EXPECT_EQ(Folded("1.0E308 * 10"), "RealVar:HUGE_VAL");
}

TEST_F(ExprTest, OtherFolding)
{
    EXPECT_EQ(Folded("{0, 31}"), "SetVar:-2147483647");
    EXPECT_EQ(Folded("{0..2} + {5} - {1}"), "SetVar:37");
    EXPECT_EQ(Folded("{0..3} * {2..5}"), "SetVar:12");
    EXPECT_EQ(Folded("{0..3} / {2..5}"), "SetVar:51");
    EXPECT_EQ(Folded("-{}"), "SetVar:-1");
    EXPECT_EQ(Folded("5 IN {0..7}"), "BoolVar:true");
    EXPECT_EQ(Folded("8 IN {0..7}"), "BoolVar:false");
    EXPECT_EQ(Folded("40 IN {0..7}"), "error: Set element greater than MAX(SET) or less than 0");
    EXPECT_EQ(Folded("'abc' < 'abd'"), "BoolVar:true");
    EXPECT_EQ(Folded("str = 'abc'"), "BoolVar:true");
    EXPECT_EQ(Folded("0FFX > 41X"), "BoolVar:true");   // characters compare by their codes
    EXPECT_EQ(Folded("80X < 7FX"), "BoolVar:false");
    EXPECT_EQ(Folded("\"A\" = 41X"), "BoolVar:true");
    EXPECT_EQ(Folded("NIL = nil"), "BoolVar:true");
    EXPECT_EQ(Folded("~TRUE OR (1 < 2) & (2.5 > 2)"), "BoolVar:true");
    EXPECT_EQ(Folded("0FFX"), "CharVar:-1");
    EXPECT_EQ(Folded("a + 1"), "error: Expression should be constant");
    EXPECT_EQ(Folded("{a}"), "error: Expression should be constant");
    EXPECT_EQ(Folded("ptr IS R"), "error: Expression should be constant");
}

TEST_F(ExprTest, DesignatedVariables)
{
    auto designated = [this](const std::string& text) -> CBaseName* {
        auto lb = CLexBuf::TokenizeText(text, "e", 1);
        static std::unique_ptr<CExpr> keep;
        keep = std::make_unique<CExpr>(&module, exprFull, false);
        if (keep->Init(*lb)) return nullptr;
        return keep->GetDesignatedVar();
    };
    CBaseName* v = designated("((a))");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->name, "a");
    EXPECT_EQ(designated("a + 1"), nullptr);
    EXPECT_EQ(designated("a = 1"), nullptr);
    CBaseName* lit = designated("'xy'");
    ASSERT_TRUE(lit);
    EXPECT_EQ(lit->kind, kindArrayVar);
}

TEST_F(ExprTest, DeepNestingEndsInADiagnostic)
{
    const int depth = 100000;
    std::string parens(depth, '(');
    parens += "1" + std::string(depth, ')');
    EXPECT_EQ(Error(parens), errFactorStart);
    EXPECT_EQ(Error(std::string(depth, '~') + "TRUE"), errFactorStart);
    std::string sum;
    for (int i = 0; i < depth; ++i) sum += "1+";
    EXPECT_EQ(Folded(sum + "1"), "IntegerVar:100001");
}

}  // namespace
