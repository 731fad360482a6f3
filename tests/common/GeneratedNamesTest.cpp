// The invented names the compiler and the linker must agree on, built through both programs:
// three modules with common types tagged by values and by types (specializations declared in
// another module too), common procedures, handlers in the declaring module and in an importing
// one, NEW, WITH and IS are compiled, the program is linked, and every such name one side uses
// must be one the other side declares.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include "driver/Driver.h"
#include "GeneratedNames.h"
#include "Linker.h"
#include "front/Messages.h"
#include "TextFile.h"

namespace {

const char kShapes[] =
    "MODULE Shapes;\n"
    "TYPE\n"
    "  Circle* = RECORD r*: INTEGER END;\n"
    "  Rect* = RECORD w*, h*: INTEGER END;\n"
    "  Int* = RECORD v*: INTEGER END;\n"
    "  Cell* = CASE OF int : Int | none : NIL END;\n"
    "END Shapes.\n";

const char kFigures[] =
    "MODULE Figures;\n"
    "IMPORT S := Shapes;\n"
    "TYPE\n"
    "  Square* = RECORD a*: INTEGER END;\n"
    "  Figure* = CASE TYPE OF S.Circle | Square | S.Rect END;\n"
    "  FigurePtr* = POINTER TO Figure;\n"
    "PROCEDURE Area* {VAR x: Figure} (): INTEGER := 0;\n"
    "PROCEDURE Area {VAR x<S.Circle>: Figure} (): INTEGER; BEGIN RETURN 3 * x.r * x.r END Area;\n"
    "PROCEDURE Area {VAR x<Square>: Figure} (): INTEGER; BEGIN RETURN x.a * x.a END Area;\n"
    "PROCEDURE Size* {VAR x: S.Cell; VAR y: Figure} (): INTEGER;\n"
    "BEGIN RETURN 0\n"
    "END Size;\n"
    "PROCEDURE Size {VAR x<int>: S.Cell; VAR y<S.Rect>: Figure} (): INTEGER; BEGIN RETURN x.v END Size;\n"
    "END Figures.\n";

const char kMain[] =
    "MODULE Main;\n"
    "IMPORT S := Shapes, F := Figures;\n"
    "VAR\n"
    "  c<int>: S.Cell;\n"
    "  n<none>: S.Cell;\n"
    "  f<S.Circle>: F.Figure;\n"
    "  p: F.FigurePtr;\n"
    "  k: INTEGER;\n"
    "PROCEDURE F.Area {VAR x<S.Rect>: F.Figure} (): INTEGER; BEGIN RETURN x.w * x.h END Area;\n"
    "BEGIN\n"
    "  c.v := 1; f.r := 2;\n"
    "  NEW(p<S.Rect>);\n"
    "  WITH p: <S.Rect> DO p.w := 1; p.h := 2 END;\n"
    "  IF p IS <F.Square> THEN k := 1 END;\n"
    "  k := F.Area{f}() + F.Size{c, p^}() + {n, f}.F.Size()\n"
    "END Main.\n";

std::string ReadText(const std::string& path)
{
    std::string text;
    EXPECT_TRUE(ReadWholeFile(path, text)) << path;
    return text;
}

// Every generated name in `text` whose prefix matches `pattern`.
std::set<std::string> NamesIn(const std::string& text, const std::regex& pattern)
{
    std::set<std::string> names;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it)
        names.insert(it->str());
    return names;
}

// A fresh temporary folder with the compiler's CPP/ and DFN/ that is the current folder while
// it lives (the compiler writes into folders of the current one); removed with its contents.
class CTempCurrentFolder {
public:
    CTempCurrentFolder()
    {
        char pattern[] = "/tmp/vyknamesXXXXXX";
        char cwd[4096];
        if (!mkdtemp(pattern) || !getcwd(cwd, sizeof cwd)) return;
        path = pattern;
        back = cwd;
        entered = chdir(pattern) == 0 && mkdir("CPP", 0700) == 0 && mkdir("DFN", 0700) == 0;
    }
    ~CTempCurrentFolder()
    {
        if (path.empty()) return;
        EXPECT_EQ(chdir(back.c_str()), 0);
        EXPECT_EQ(system(("rm -rf " + path).c_str()), 0);
    }
    bool Entered() const { return entered; }

private:
    std::string path, back;
    bool entered = false;
};

void Write(const char* path, const char* text) { std::ofstream(path) << text; }

TEST(GeneratedNames, CompilerUsesWhatTheLinkerDeclares)
{
    CTempCurrentFolder folder;
    ASSERT_TRUE(folder.Entered());
    Write("Shapes.vyk", kShapes);
    Write("Figures.vyk", kFigures);
    Write("Main.vyk", kMain);
    {
        CMessageCapture capture(MsgStream());
        ASSERT_EQ(RunCompiler({"Shapes.vyk", "-a"}), 0) << capture.Text();
        ASSERT_EQ(RunCompiler({"Figures.vyk", "-a"}), 0) << capture.Text();
        ASSERT_EQ(RunCompiler({"Main.vyk", "-m", "-a"}), 0) << capture.Text();
    }
    // -d: Size has no handler for every pair, on purpose; the log goes to a file.
    ASSERT_EQ(RunLinker({"CPP/_VYK_make.vym", "-d", "-a", "-f", "link.txt"}), 0) << ReadText("link.txt");

    std::string modules;
    for (const std::string name : {"Shapes", "Figures", "Main"})
        modules += ReadText("CPP/" + name + ".h") + ReadText("CPP/" + name + ".cpp");
    const std::string linked = ReadText("CPP/_VYK_ppp.h") + ReadText("CPP/_VYK_ppp.cpp");

    // Members of the common types: whatever the modules use, the linker declares.
    const std::regex members("VYK_(SPEC|SID|INIT)_\\w+");
    const std::set<std::string> used = NamesIn(modules, members), declared = NamesIn(linked, members);
    EXPECT_GE(used.size(), 8u);
    for (const std::string& name : used) EXPECT_TRUE(declared.count(name)) << name;

    // Dispatch functions and handlers: the two sides name exactly the same ones.
    const std::regex calls("VYK_(COMMON|HANDLER)_\\w+");
    EXPECT_EQ(NamesIn(modules, calls), NamesIn(linked, calls));
    EXPECT_TRUE(NamesIn(modules, calls).count(vykname::HandlerFunction("Size", 2)));
    EXPECT_TRUE(NamesIn(linked, calls).count(vykname::DispatchFunction("Figures", "Size")));
}

TEST(GeneratedNames, SpecializationSuffix)
{
    EXPECT_EQ(vykname::SpecSuffix(std::string("int"), "M", "Int"), "int");
    EXPECT_EQ(vykname::SpecSuffix(std::nullopt, "Shapes", "Circle"), "Shapes_Circle");
    EXPECT_EQ(vykname::SpecSuffixModule("Shapes_Circle", "Circle"), "Shapes");
    EXPECT_EQ(vykname::SpecSuffixModule("My_Mod_T_T", "T_T"), "My_Mod");
}

}  // namespace
