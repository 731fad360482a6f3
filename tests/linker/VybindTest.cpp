// Unit tests of the linker's tables where order and identity are easy to get wrong: a CASE
// extended before its declaration, repeated and conflicting specializations, which earlier
// handler a refused handler is reported against, and the command-line folder rules.
#include <gtest/gtest.h>
#include <cstdio>
#include <string>
#include <unistd.h>
#include "CommandLine.h"
#include "LinkChecks.h"
#include "LinkReader.h"
#include "LinkWriter.h"
#include "TextFile.h"

namespace {

class LinkFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/vybindtest.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        ASSERT_TRUE(out.OpenFile(folder + "/messages.txt"));
    }
    void TearDown() override
    {
        std::remove((folder + "/messages.txt").c_str());
        std::remove((folder + "/module.vyl").c_str());
        rmdir(folder.c_str());
    }

    // Reads one link description given as the body of its Module element.
    bool Read(const std::string& module, const std::string& body)
    {
        const std::string path = folder + "/module.vyl";
        CTextFile f;
        EXPECT_TRUE(f.Open(path, "w"));
        f.Printf("<?xml version=\"1.0\" ?>\n<Module Name=\"%s\">\n%s</Module>\n", module.c_str(), body.c_str());
        f.Close();
        bool found = false;
        CLinkReader reader(tables, out);
        bool ok = reader.ReadLinkDescription(path, found);
        EXPECT_TRUE(found);
        return ok;
    }

    // The messages written so far, without the line naming the failed file.
    std::string Messages()
    {
        out.CloseFile();
        std::string text;
        ReadWholeFile(folder + "/messages.txt", text);
        out.OpenFile(folder + "/messages.txt");
        std::string kept;
        size_t from = 0;
        while (from < text.size()) {
            size_t end = text.find('\n', from);
            std::string line = text.substr(from, end - from + 1);
            if (line.find("- FAILED") == std::string::npos) kept += line;
            from = end + 1;
        }
        return kept;
    }

    static std::string SpecList(const CLinkCase& c)
    {
        std::string list;
        for (const CLinkSpec* s : c.SpecsInIdOrder()) list += SpecSuffix(*s) + " ";
        return list;
    }

    std::string folder;
    CLinkTables tables;
    CMessageStream out;
};

TEST_F(LinkFixture, ExtensionReadBeforeDeclarationIsTakenOverByIt)
{
    ASSERT_TRUE(Read("Ext", "<Case Qual=\"Geo\" Name=\"Shape\"><Spec Name=\"Tri\" /></Case>"));
    ASSERT_TRUE(Read("Geo", "<Case Name=\"Shape\" TagType=\"type\"><Spec Name=\"Circle\" />"
                            "<Spec Def=\"yes\" Name=\"Rect\" /><Spec Qual=\"Ext\" Name=\"Tri\" /></Case>"));
    const CLinkCase* c = tables.FindCase("Geo", "Shape");
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->declared);
    EXPECT_EQ(c->tagKind, TagKind::types);
    // The declaration's own order first; the extension's Tri is the same specialization.
    EXPECT_EQ(SpecList(*c), "Geo_Circle Ext_Tri Geo_Rect ");
    CLinkChecker checker(tables, out, false);
    EXPECT_TRUE(checker.CheckDeclarations());
    EXPECT_EQ(Messages(), "");
}

TEST_F(LinkFixture, DeclarationChecksTheTagsOfAnEarlierExtension)
{
    ASSERT_TRUE(Read("Ext", "<Case Qual=\"Geo\" Name=\"Shape\"><Spec Tag=\"t\" Name=\"Tri\" /></Case>"));
    EXPECT_FALSE(Read("Geo", "<Case Name=\"Shape\" TagType=\"type\"><Spec Name=\"Circle\" /></Case>"));
    EXPECT_EQ(Messages(), "ERROR: Wrong type of tag in CASE \"Shape\" specialization \"Tri\" with tag \"t\"\n");
}

TEST_F(LinkFixture, EarlyExtensionMixingTagsCannotHideAnEntryFromTheDeclaration)
{
    ASSERT_TRUE(Read("Ext", "<Case Qual=\"Geo\" Name=\"T\"><Spec Tag=\"a\" Name=\"R\" /><Spec Name=\"R\" /></Case>"));
    EXPECT_FALSE(Read("Geo", "<Case Name=\"T\"><Spec Tag=\"b\" /></Case>"));
    EXPECT_EQ(Messages(), "ERROR: Wrong type of tag in CASE \"T\" specialization \"R\"\n");
}

TEST_F(LinkFixture, RepeatedSpecializationsAreStoredOnceAndConflictsRefused)
{
    ASSERT_TRUE(Read("Geo", "<Case Name=\"T\"><Spec Tag=\"a\" Name=\"R\" /><Spec Tag=\"b\" />"
                            "<Spec Def=\"yes\" Tag=\"d\" /></Case>"));
    ASSERT_TRUE(Read("Ext", "<Case Qual=\"Geo\" Name=\"T\"><Spec Tag=\"a\" Qual=\"Geo\" Name=\"R\" />"
                            "<Spec Tag=\"d\" Qual=\"Geo\" /><Spec Tag=\"e\" /></Case>"));
    EXPECT_EQ(SpecList(*tables.FindCase("Geo", "T")), "a b e d ");
    EXPECT_FALSE(Read("Ext2", "<Case Qual=\"Geo\" Name=\"T\"><Spec Tag=\"a\" Name=\"R\" /></Case>"));
    EXPECT_EQ(Messages(), "ERROR: Incompatible specializations with tag \"a\" in CASE \"T\" declared in \"Geo\"\n");
}

TEST_F(LinkFixture, RefusedHandlerNamesTheEarlierHandlerItClashesWith)
{
    const std::string handlers =
        "<HProc Qual=\"Geo\" Name=\"P\" UID=\"0\"><SPar Tag=\"a\" /><SPar Name=\"X\" /></HProc>"
        "<HProc Qual=\"Geo\" Name=\"P\" UID=\"1\"><SPar Tag=\"b\" /><SPar Name=\"X\" /></HProc>"
        "<HProc Qual=\"Other\" Name=\"P\" UID=\"2\"><SPar Tag=\"b\" /></HProc>";
    ASSERT_TRUE(Read("M", handlers));
    EXPECT_FALSE(Read("N", "<HProc Qual=\"Geo\" Name=\"P\" UID=\"7\"><SPar Tag=\"b\" /><SPar Qual=\"M\" Name=\"X\" />"
                           "</HProc>"));
    EXPECT_EQ(Messages(), "ERROR: Handler procedure \"Geo.P\"[7] in \"N\" overload \"Geo.P\"[1] in \"M\"\n");
    EXPECT_FALSE(Read("N", "<HProc Qual=\"Geo\" Name=\"P\" UID=\"8\"><SPar Tag=\"b\" /><SPar Tag=\"X\" /></HProc>"));
    EXPECT_EQ(Messages(), "ERROR: Handler procedure \"Geo.P\"[8] in \"N\" and \"Geo.P\"[0] in \"M\" incompatible\n");
    // The same tags under another qualifier belong to another procedure.
    EXPECT_TRUE(Read("N", "<HProc Qual=\"Geo2\" Name=\"P\" UID=\"9\"><SPar Tag=\"b\" /><SPar Name=\"X\" /></HProc>"));
    EXPECT_EQ(tables.HandlerCount(), 4u);
}

TEST_F(LinkFixture, CombinationsBeyondSixtyFourBitsStillCountAsInsufficient)
{
    std::string specs, pars;
    for (int i = 0; i < 16; ++i) specs += "<Spec Tag=\"t" + std::to_string(i) + "\" />";
    for (int i = 0; i < 16; ++i) pars += "<CPar Name=\"T\" />";
    ASSERT_TRUE(Read("M", "<Case Name=\"T\">" + specs + "</Case><CProc Name=\"P\">" + pars + "</CProc>"));
    CLinkChecker checker(tables, out, false);
    // 16 to the 16th power wraps round to 0 in 64 bits.
    EXPECT_FALSE(checker.CheckHandlers(*tables.FindProc("M", "P")));
    EXPECT_EQ(Messages(),
              "ERROR: Insufficiency of handler procedures for common procedure \"M.P\" without default handler\n");
}

// Selection by table: every combination of ids gets the handler that fits it; id 0 (no specialization) and combinations without a handler get 0. A procedure whose
// combinations would be too many keeps the tests, one handler after the other.
TEST_F(LinkFixture, DispatchTableHoldsTheFirstFittingHandler)
{
    std::string many, pars;
    for (int i = 0; i < 70; ++i) many += "<Spec Tag=\"u" + std::to_string(i) + "\" />";
    ASSERT_TRUE(Read("M", "<Case Name=\"T\"><Spec Tag=\"a\" /><Spec Tag=\"b\" /><Spec Def=\"yes\" Tag=\"c\" /></Case>"
                          "<Case Name=\"U\">" + many + "</Case>"
                          "<CProc Name=\"P\"><CPar Name=\"T\" /><CPar Name=\"T\" /></CProc>"
                          "<CProc Name=\"Q\" DefH=\"yes\"><CPar Name=\"U\" /><CPar Name=\"U\" /></CProc>"
                          "<HProc Name=\"P\" UID=\"0\"><SPar Tag=\"c\" /><SPar Tag=\"a\" /></HProc>"
                          "<HProc Name=\"Q\" UID=\"1\"><SPar Tag=\"u3\" /><SPar Tag=\"u69\" /></HProc>"));
    ASSERT_TRUE(Read("N", "<HProc Qual=\"M\" Name=\"P\" UID=\"0\"><SPar Tag=\"a\" /><SPar Tag=\"b\" /></HProc>"));
    CXmlElement project;
    project.name = "Project";
    CTextBuffer header, source;
    CLinkWriter(tables, out).Compose(project, header, source);
    EXPECT_NE(header.Text().find("extern void* const VYK_TABLE_M_P[4][4];\n"
                                 "inline void* VYK_COMMON_M_P(M::T* p0, M::T* p1)\n{\n"
                                 "\tconst unsigned s0 = p0->VYK_SID, s1 = p1->VYK_SID;\n"
                                 "\treturn s0 < 4 && s1 < 4 ? VYK_TABLE_M_P[s0][s1] : 0;\n}\n"),
              std::string::npos);
    // c is the default, so id 3 after a and b.
    EXPECT_NE(source.Text().find("void* const VYK_TABLE_M_P[4][4] = {{0, 0, 0, 0},\n"
                                 "{0, 0, (void*)N::VYK_HANDLER_P_0, 0},\n{0, 0, 0, 0},\n"
                                 "{0, (void*)M::VYK_HANDLER_P_0, 0, 0}};\n"),
              std::string::npos);
    EXPECT_NE(header.Text().find("void* VYK_COMMON_M_Q(M::U* p0, M::U* p1);\n"), std::string::npos);
    EXPECT_NE(source.Text().find("\tif (p0->VYK_SID_u3 == p0->VYK_SID && p1->VYK_SID_u69 == p1->VYK_SID) "
                                 "return (void*)M::VYK_HANDLER_Q_1;\n\treturn 0;\n}\n"),
              std::string::npos);
}

struct FolderCase {
    std::vector<std::string> args;
    std::optional<std::string> input;
    std::optional<std::string> output;
};

TEST(VybindCommandLine, FolderSwitchesKeepOrAddTheSeparator)
{
    const FolderCase cases[] = {
        {{"m.vym", "-i", "in", "-a"}, "in/", std::nullopt},
        {{"m.vym", "/I", "in\\", "-a"}, "in\\", std::nullopt},
        {{"m.vym", "-i", "", "-o", "out", "-a"}, "", "out"},
        {{"m.vym", "-a", "-o", "-i"}, std::nullopt, "-i"},
    };
    for (const FolderCase& c : cases) {
        CMessageStream out;
        CLinkOptions o;
        EXPECT_EQ(ParseCommandLine(c.args, out, o), EConsoleStep::run);
        EXPECT_EQ(o.inputFolder, c.input);
        EXPECT_EQ(o.outputFolder, c.output);
        EXPECT_EQ(o.makefile, "m.vym");
    }
}

}  // namespace
