// Statements, designators, calls and predeclared functions inside a fixed module: the C++ text
// of single statements (as a table of snippets), their return states, and the folding of the
// predeclared functions with the sound rules (ODD of negatives, ASH to the right, MIN of reals).
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>

#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "decl/Module.h"
#include "emit/Output.h"
#include "driver/Project.h"
#include "code/Statements.h"
#include "decl/Vars.h"

namespace {

const char* const kModule =
    "MODULE M;\n"
    "TYPE R = RECORD f: INTEGER END; P = POINTER TO R; Row = POINTER TO ARRAY OF CHAR;\n"
    "VAR i, j, n: INTEGER; r: R; p: P; a: ARRAY 3, 4 OF INTEGER; s: ARRAY 10 OF CHAR;\n"
    "  c: CHAR; row: Row; b: BOOLEAN; l: LONGINT; x: LONGREAL; pv: PROCEDURE (k: INTEGER): INTEGER;\n"
    "PROCEDURE Q(VAR v: R; VAR o: ARRAY OF ARRAY OF INTEGER; t: ARRAY OF CHAR);\n"
    "BEGIN\n"
    "END Q;\n"
    "PROCEDURE F(k: INTEGER): INTEGER;\n"
    "BEGIN RETURN k\n"
    "END F;\n"
    "END M.\n";

class StmtTest : public ::testing::Test {
protected:
    CProject project;
    CModule module;
    bool checks = false;   // write the text as -c does

    void SetUp() override
    {
        auto lb = CLexBuf::TokenizeText(kModule, "M.vyk", 1);
        ASSERT_TRUE(lb);
        ASSERT_EQ(module.Init(project, *lb), 0);
    }

    // Parses `text` as a statement sequence in `scope` (the module, or the procedure named);
    // the C++ text, or "error: <message>".
    std::string Cpp(const std::string& text, const char* scopeName = nullptr, int* state = nullptr)
    {
        auto lb = CLexBuf::TokenizeText(text, "s", 1);
        CBaseName* scope = scopeName ? module.FindName(scopeName) : &module;
        CStatementSeq seq(scope);
        if (int err = seq.Init(*lb)) return std::string("error: ") + MessageText(err);
        int code = 0;
        if (lb->NextSymbol(code)) return "not all read";
        if (state) *state = seq.GetReturnState();
        CCppOutput f;
        f.OpenInMemory("M");
        f.checks = checks;
        f.checkModule = "M";
        f.level = -1;   // the sequence raises it to 0: no indentation
        size_t start = f.SourceText().size();
        seq.WriteCPP(f);
        return f.SourceText().substr(start);
    }
    int ReturnState(const std::string& text)
    {
        int state = -1;
        Cpp(text, "F", &state);
        return state;
    }
    // Folds a constant expression to its integer value.
    int64_t FoldInt(const std::string& text)
    {
        auto lb = CLexBuf::TokenizeText(text, "e", 1);
        std::unique_ptr<CBaseVar> value;
        EXPECT_EQ(ReadConstExpr(*lb, &module, value), 0) << text;
        return value ? static_cast<CScalarVar*>(value.get())->intValue : -999;
    }
};

TEST_F(StmtTest, DesignatorTexts)
{
    const std::pair<const char*, const char*> table[] = {
        {"r.f := 1", "r.f = 1;\n"},
        {"p^.f := 1", "p->f = 1;\n"},
        {"p.f := 1", "p->f = 1;\n"},
        {"r := p^", "r = *(p);\n"},
        {"a[1][2] := a[1, 2]", "a[1][2] = a[1][2];\n"},
        {"c := row[i]", "c = row[(i)];\n"},
    };
    for (const auto& row : table) EXPECT_EQ(Cpp(row.first), row.second) << row.first;
}

// Under -c every index is checked against its dimension's length (a constant inside a fixed
// length needs no check), every pointer is checked for NIL before a field or an element is
// reached through it, and SHORT, CHR and ENTIER check their range; each names its place.
TEST_F(StmtTest, CheckedTexts)
{
    checks = true;
    const std::pair<const char*, const char*> table[] = {
        {"i := 1", "i = 1;\n"},
        {"a[i, 3] := a[2][j]",
         "a[VYK_IX(i, 3, \"module M, line 1, column 3\")][3] = a[2][VYK_IX(j, 4, \"module M, line 1, column 17\")];\n"},
        {"a[3, 0] := 1", "error: Index outside the array"},   // a constant index outside the array is refused
        {"c := row[i]",
         "c = VYK_NN(row, \"module M, line 1, column 9\")[(VYK_IX(i, VYK_LEN(row, 0), \"module M, line 1, column 10\"))];\n"},
        {"p.f := 1", "VYK_NN(p, \"module M, line 1, column 3\")->f = 1;\n"},
        {"r := p^", "r = *(VYK_NN(p, \"module M, line 1, column 7\"));\n"},
        {"i := pv(2)", "i = VYK_NNP(pv, \"module M, line 1, column 6\")(2);\n"},
        {"c := CHR(i)", "c = VYK_CHR(i, \"module M, line 1, column 6\");\n"},
        {"i := SHORT(l)", "i = (VYK_SHORT_INT(l, \"module M, line 1, column 6\"));\n"},
        {"l := ENTIER(x)", "l = VYK_ENTIER_CHK(x, \"module M, line 1, column 6\");\n"},
    };
    for (const auto& row : table) EXPECT_EQ(Cpp(row.first), row.second) << row.first;
    // a VAR record parameter is never NIL; an open array is checked in each dimension
    EXPECT_EQ(Cpp("v.f := o[i, j]", "Q"),
              "v->f = o[(VYK_IX(i, VYK_ARR_0_o, \"module M, line 1, column 10\"))*VYK_ARR_1_o+"
              "(VYK_IX(j, VYK_ARR_1_o, \"module M, line 1, column 13\"))];\n");
    // an array copied from or to an open array compares each length known only at run time
    EXPECT_EQ(Cpp("a := o; o := a", "Q"),
              "memcpy(a, o, sizeof(int) * VYK_SAMELEN(3, VYK_ARR_0_o, \"module M, line 1, column 1\")"
              " * VYK_SAMELEN(4, VYK_ARR_1_o, \"module M, line 1, column 1\"));\n"
              "memcpy(o, a, sizeof(int) * VYK_SAMELEN(VYK_ARR_0_o, 3, \"module M, line 1, column 9\")"
              " * VYK_SAMELEN(VYK_ARR_1_o, 4, \"module M, line 1, column 9\"));\n");
    // a string constant must fit into an array whose length is known only at run time
    EXPECT_EQ(Cpp("t := \"ab\"; s := \"ab\"", "Q"),
              "COPY(\"ab\", 3, t, VYK_FITS(3, VYK_ARR_0_t, \"module M, line 1, column 1\"));\n"
              "COPY(\"ab\", 3, s, 10);\n");
}

TEST_F(StmtTest, ParametersOfAProcedure)
{
    // a VAR record parameter is a pointer: fields through "->", the whole record dereferenced
    EXPECT_EQ(Cpp("v.f := 2; r := v; v := r", "Q"), "v->f = 2;\nr = *(v);\n*(v) = r;\n");
    // open arrays are flat over their length parameters; a row keeps its address
    EXPECT_EQ(Cpp("o[i, j] := 1", "Q"), "o[(i)*VYK_ARR_1_o+(j)] = 1;\n");
    EXPECT_EQ(Cpp("Q(v, o, t)", "Q"), "Q(v, (int*)o, VYK_ARR_0_o, VYK_ARR_1_o, (char*)t, VYK_ARR_0_t);\n");
    EXPECT_EQ(Cpp("Q(r, a, s)"), "Q(&r, (int*)a, 3, 4, (char*)s, 10);\n");
    EXPECT_EQ(Cpp("Q(r, a, \"A\")"), "Q(&r, (int*)a, 3, 4, (char*)\"A\", 2);\n");
    // a character stands for the one-character string
    EXPECT_EQ(Cpp("Q(r, a, c)"), "Q(&r, (int*)a, 3, 4, VYK_CHARSTR(c).s, 2);\n");
    EXPECT_EQ(Cpp("Q(r, a, row^)"), "Q(&r, (int*)a, 3, 4, row, VYK_LEN(row, 0));\n");
}

TEST_F(StmtTest, PredeclaredProcedureTexts)
{
    const std::pair<const char*, const char*> table[] = {
        {"INC(i)", "i += 1;\n"},
        {"DEC(i, n)", "i -= n;\n"},
        {"HALT(2)", "exit(2);\n"},
        {"ASSERT(n > 0)", "if (!(n > 0)) VYK_ASSERT_TRAP(253, 0);\n"},
        {"ASSERT(b, 7)", "if (!(b)) VYK_ASSERT_TRAP(7, 0);\n"},
        {"NEW(p)", "p = new(VYK_HEAP) (P)();\n"},
        {"NEW(row, n)", "row = VYK_NEW_OPEN<Row>({(long)(n)});\n"},
        {"COPY(s, s)", "COPY(s, 10, s, 10);\n"},
        {"l := LONG(i) * i", "l = (((long)(i)) * i);\n"},
        {"b := ODD(i)", "b = ((i) % 2 != 0);\n"},
        {"l := ASH(i, n)", "l = VYK_ASH(i, n);\n"},
        {"s := \"abc\"", "COPY(\"abc\", 4, s, 10);\n"},
    };
    for (const auto& row : table) EXPECT_EQ(Cpp(row.first), row.second) << row.first;
}

TEST_F(StmtTest, ReturnStates)
{
    EXPECT_EQ(ReturnState("RETURN 1"), retAll);
    EXPECT_EQ(ReturnState("IF k > 0 THEN RETURN 1 END"), retSome);   // the path without ELSE
    EXPECT_EQ(ReturnState("IF k > 0 THEN RETURN 1 ELSE RETURN 2 END"), retAll);
    EXPECT_EQ(ReturnState("IF k > 0 THEN k := 1 ELSE RETURN 2 END"), retSome);
    EXPECT_EQ(ReturnState("k := 1"), retNone);
    EXPECT_EQ(ReturnState("CASE k OF 1: RETURN 1 | 2: RETURN 2 END"), retAll);   // no match traps
    EXPECT_EQ(ReturnState("WHILE k > 0 DO RETURN 1 END; k := 2"), retAll);
}

TEST_F(StmtTest, FoldingOfPredeclaredFunctions)
{
    EXPECT_EQ(FoldInt("ODD(-3)"), 1);
    EXPECT_EQ(FoldInt("ODD(4)"), 0);
    EXPECT_EQ(FoldInt("ASH(1, 3)"), 8);
    EXPECT_EQ(FoldInt("ASH(-7, -1)"), -4);
    EXPECT_EQ(FoldInt("ABS(-5)"), 5);
    EXPECT_EQ(FoldInt("ORD(0FFX)"), 255);
    EXPECT_EQ(FoldInt("ENTIER(-1.5)"), -2);
    EXPECT_EQ(FoldInt("SHORT(-32768)"), -32768);
    EXPECT_EQ(FoldInt("ASH(1, 62)"), int64_t(1) << 62);
    EXPECT_EQ(FoldInt("ASH(-1, 63)"), LONG_MIN);
    EXPECT_EQ(FoldInt("ASH(0, 100)"), 0);
    EXPECT_EQ(FoldInt("ENTIER(-9.2233720368547758D18)"), LONG_MIN);
    EXPECT_EQ(FoldInt("SIZE(LONGINT)"), 8);
    EXPECT_EQ(FoldInt("SIZE(P)"), 8);
    EXPECT_EQ(FoldInt("MAX(LONGINT)"), LONG_MAX);
    EXPECT_EQ(FoldInt("MIN(LONGINT)"), LONG_MIN);
    EXPECT_EQ(FoldInt("LEN(s)"), 10);
    auto lb = CLexBuf::TokenizeText("MIN(REAL)", "e", 1);
    std::unique_ptr<CBaseVar> value;
    ASSERT_EQ(ReadConstExpr(*lb, &module, value), 0);
    EXPECT_EQ(static_cast<CScalarVar*>(value.get())->realValue, -DBL_MAX);
}

}  // namespace
