// Declarations: the C++ spelling of reserved names, constants that survive their definition
// text exactly (every character, reals to the last bit, the smallest INTEGER, sets, strings with
// quotes), and the parameter forms of arrays, records and named types.
#include <gtest/gtest.h>

#include <cmath>

#include "front/Lexer.h"
#include "decl/Module.h"
#include "emit/Output.h"
#include "driver/Project.h"
#include "code/Expr.h"
#include "CppIdent.h"
#include "decl/FormalPars.h"
#include "decl/Vars.h"

namespace {

TEST(CppIdentTest, ReservedNamesGetAnUnderscore)
{
    for (const char* name : {"new", "class", "and", "not", "this", "linux", "unix", "index", "log",
                             "time", "y1", "exit", "abs", "strcmp", "std", "NULL", "main"})
        EXPECT_EQ(CppId(name), std::string(name) + "_") << name;
    for (const char* name : {"x", "Index", "Log", "count", "VYK", "a1", "Strcmp"})
        EXPECT_EQ(CppId(name), name) << name;
}

class DeclTest : public ::testing::Test {
protected:
    CProject project;
    CModule module;

    void SetUp() override
    {
        auto lb = CLexBuf::TokenizeText("MODULE M;\nTYPE R = RECORD f: INTEGER END; T = INTEGER;\nEND M.\n",
                                        "M.vyk", 1);
        ASSERT_TRUE(lb);
        ASSERT_EQ(module.Init(project, *lb), 0);
    }
    std::unique_ptr<CBaseVar> Fold(const std::string& text)
    {
        auto lb = CLexBuf::TokenizeText(text, "e", 1);
        std::unique_ptr<CBaseVar> v;
        EXPECT_EQ(ReadConstExpr(*lb, &module, v), 0) << text;
        return v;
    }
    // The constant's definition line "c = <literal>", read back as an expression.
    std::unique_ptr<CBaseVar> RoundTrip(CBaseVar& c)
    {
        c.name = "c";
        CDfnOutput f;
        f.OpenInMemory();
        size_t start = f.Text().size();
        c.WriteDFN(f);
        std::string line = f.Text().substr(start);
        EXPECT_EQ(line.compare(0, 4, "c = "), 0) << line;
        return Fold(line.substr(4));
    }
    std::string Params(const std::string& list)
    {
        auto lb = CLexBuf::TokenizeText(list, "p", 1);
        CFormalPars pars(&module);
        EXPECT_EQ(pars.Init(*lb), 0) << list;
        CCppOutput f;
        f.OpenInMemory("M");
        size_t start = f.SourceText().size();
        pars.WriteParams(f, false);
        return f.SourceText().substr(start);
    }
};

TEST_F(DeclTest, EveryCharacterSurvivesTheDefinitionFile)
{
    for (int code = 0; code < 256; ++code) {
        char text[8];
        snprintf(text, sizeof text, "0%XX", code);
        auto c = Fold(text);
        auto back = RoundTrip(*c);
        ASSERT_EQ(back->kind, kindCharVar);
        EXPECT_EQ(static_cast<CScalarVar&>(*back).intValue, static_cast<CScalarVar&>(*c).intValue) << text;
    }
}

TEST_F(DeclTest, NumbersSetsAndStringsSurviveTheDefinitionFile)
{
    for (const char* text : {"1.0 / 3", "3.14159265358979", "1.0E-300", "-2.5E100", "1.0D0 / 7",
                             "0.1D0", "1.0E308 * 10", "-1.0E308 * 10"}) {
        auto c = Fold(text);
        auto back = RoundTrip(*c);
        EXPECT_EQ(back->kind, c->kind) << text;
        EXPECT_EQ(static_cast<CScalarVar&>(*back).realValue, static_cast<CScalarVar&>(*c).realValue) << text;
    }
    for (const char* text : {"-2147483647 - 1", "2147483647", "-32768", "70000", "0", "{}",
                             "{0..31}", "{0, 2, 4..7, 31}", "TRUE", "FALSE"}) {
        auto c = Fold(text);
        auto back = RoundTrip(*c);
        EXPECT_EQ(static_cast<CScalarVar&>(*back).intValue, static_cast<CScalarVar&>(*c).intValue) << text;
    }
    for (const char* text : {"'say \"hi\"'", "\"it's\"", "\"\"", "\"a\\b\""}) {
        auto c = Fold(text);
        auto back = RoundTrip(*c);
        ASSERT_EQ(back->kind, kindArrayVar) << text;
        EXPECT_EQ(static_cast<CArrayVar&>(*back).text, static_cast<CArrayVar&>(*c).text) << text;
    }
}

TEST_F(DeclTest, ConstantsAsCppLiterals)
{
    EXPECT_EQ(Fold("-2147483647 - 1")->ConstCppText(), "(-2147483647 - 1)");
    EXPECT_EQ(Fold("0FFX")->ConstCppText(), "-1");
    EXPECT_EQ(Fold("3.0")->ConstCppText(), "3.0");
    EXPECT_EQ(Fold("1.0 / 3")->ConstCppText(), "0.33333333333333331");
    EXPECT_EQ(Fold("'a\"b'")->ConstCppText(), "\"a\\\"b\"");
}

TEST_F(DeclTest, ParameterForms)
{
    EXPECT_EQ(Params("(s: ARRAY OF CHAR)"), "char *VYK_ARR_s, const int VYK_ARR_0_s");
    EXPECT_EQ(Params("(VAR s: ARRAY OF CHAR)"), "char *s, const int VYK_ARR_0_s");
    EXPECT_EQ(Params("(m: ARRAY OF ARRAY OF INTEGER)"),
              "int *VYK_ARR_m, const int VYK_ARR_0_m, const int VYK_ARR_1_m");
    EXPECT_EQ(Params("(a: ARRAY 3, 4 OF REAL; VAR b: ARRAY 2 OF T)"), "double VYK_ARR_a[3][4], T b[2]");
    EXPECT_EQ(Params("(r: R; VAR q: R; i: T; VAR j: INTEGER)"), "R r, R* q, T i, int &j");
    EXPECT_EQ(Params("(new: INTEGER; VAR class: ARRAY OF CHAR)"),
              "int new_, char *class_, const int VYK_ARR_0_class");
}

}  // namespace
