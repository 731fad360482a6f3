// Vygen's pieces that the command-line cases show only indirectly: the code-page table of
// folder names, the values the switch scan stores, and the quoting of folders for make and sh.
#include "CommandLine.h"
#include "Makefiles.h"
#include "ProjectValues.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

unsigned char Convert(int c)
{
    return static_cast<unsigned char>(Win1251ToOem866(std::string(1, static_cast<char>(c)))[0]);
}

TEST(Win1251ToOem866, MapsAllSixtySixLettersAndNothingElse)
{
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(Convert(0xC0 + i), 0x80 + i) << "capital " << i;
        EXPECT_EQ(Convert(0xE0 + i), i < 16 ? 0xA0 + i : 0xE0 + i - 16) << "small " << i;
    }
    EXPECT_EQ(Convert(0xA8), 0xF0);   // capital YO
    EXPECT_EQ(Convert(0xB8), 0xF1);   // small yo
    for (int c = 0; c < 0xC0; ++c) {
        if (c == 0xA8 || c == 0xB8) continue;
        EXPECT_EQ(Convert(c), c) << "byte " << c;
    }
    EXPECT_EQ(Win1251ToOem866("C:\\\xCF\xF0\xEE\xE5\xEA\xF2\\"), "C:\\\x8F\xE0\xAE\xA5\xAA\xE2\\");
}

// The shell reads a backslash as an escape only before $ ` " \ and the closing quote.
TEST(QuoteForShellRecipe, EscapesForMakeAndShOnlyWhatTheyWouldRead)
{
    EXPECT_EQ(QuoteForShellRecipe("C:\\lib\\", 'A'), "C:\\lib\\");
    EXPECT_EQ(QuoteForShellRecipe("lib/"), "lib/");
    EXPECT_EQ(QuoteForShellRecipe("a\\"), "a\\\\");
    EXPECT_EQ(QuoteForShellRecipe("a\\", '$'), "a\\\\");
    EXPECT_EQ(QuoteForShellRecipe("$(x)`y`\"z\""), "\\$$(x)\\`y\\`\\\"z\\\"");
    EXPECT_EQ(QuoteForShellRecipe("\\$"), "\\\\\\$$");
    EXPECT_EQ(QuoteForShellRecipe("a b;c&d#e'f"), "a b;c&d#e'f");
}

TEST(ProjectValueRules, NamesFileNamesAndFolders)
{
    for (const char* good : {"M", "_VYK_main", "Lib2"}) EXPECT_TRUE(IsModuleName(good)) << good;
    for (const char* bad : {"", "2a", "a-b", "a.b", "../a", "a b"}) EXPECT_FALSE(IsModuleName(bad)) << bad;
    for (const char* good : {"prog", ".exe", "My Prog&Co", "\xCF\xF0", "a-b.1"})
        EXPECT_TRUE(IsPlainFileName(good)) << good;
    for (const char* bad : {"", "..", "a..b", "a/b", "a\\b", "a\nb", "a$b", "a`b", "a\"b", "a'b", "a:b", "a=b", "a#b"})
        EXPECT_FALSE(IsPlainFileName(bad)) << bad;
    EXPECT_TRUE(IsQuotableFolder("C:\\x y\\$(z)`w`/"));
    EXPECT_FALSE(IsQuotableFolder("a\"b"));
    EXPECT_FALSE(IsQuotableFolder("a\tb"));
    EXPECT_EQ(ShownValue("a\nb\x7f"), "a?b?");
    EXPECT_EQ(QuoteForNmake("C:\\a#b^$(c)\\"), "C:\\a^#b^^$$(c)\\");
}

struct CScan {
    CVygenOptions options;
    bool goOn = true;
};

CScan Scan(const std::vector<std::string>& args)
{
    CScan result;
    CMessageStream messages;
    result.goOn = ScanCommandLine(args, result.options, messages);
    return result;
}

TEST(VygenScan, StoresSwitchValues)
{
    CScan s = Scan({"a.vym", "m.mak", "-cp", "-g++", "/CA", "-O2 -g", "-o", "/out", "-C", "-A", "-P", "3"});
    EXPECT_TRUE(s.goOn);
    EXPECT_FALSE(s.options.error);
    EXPECT_EQ(s.options.compiler, "-g++");
    EXPECT_EQ(s.options.compilerArgs, "-O2 -g");
    EXPECT_EQ(s.options.outputDir, "/out");
    EXPECT_TRUE(s.options.convertPaths);
    EXPECT_FALSE(s.options.about);
    EXPECT_EQ(s.options.platform, platMingwWindows);
}

TEST(VygenScan, DefaultsAndFlags)
{
    CScan s = Scan({"a.vym", "m.mak"});
    EXPECT_EQ(s.options.platform, platNmakeConsole);
    EXPECT_EQ(s.options.compiler, "c++");
    EXPECT_EQ(s.options.compilerArgs, "-fconserve-space -O3 -s");
    EXPECT_EQ(s.options.outputDir, "../Make");
    EXPECT_TRUE(s.options.about);
    EXPECT_FALSE(s.options.convertPaths || s.options.version || s.options.help || s.options.error);
    EXPECT_TRUE(Scan({"-?"}).options.help);
    EXPECT_TRUE(Scan({"/h"}).options.help);
    EXPECT_TRUE(Scan({"-V"}).options.version);
}

TEST(VygenScan, ErrorsStopTheScanExceptAnUnknownPlatform)
{
    CScan s = Scan({"-p", "", "-p", "x2", "-a"});
    EXPECT_TRUE(s.options.error);
    EXPECT_FALSE(s.options.about);                     // the scan went on
    EXPECT_EQ(s.options.platform, platNmakeConsole);   // and kept the platform

    s = Scan({"-cx", "-a"});
    EXPECT_TRUE(s.options.error);
    EXPECT_TRUE(s.options.about);                      // the scan stopped at -cx
    for (const char* bad : {"-", "-pp", "-cpx", "-help", "-??"})
        EXPECT_TRUE(Scan({bad}).options.error) << bad;
    for (const char* last : {"-p", "-cp", "-ca", "-o", "-f"})
        EXPECT_TRUE(Scan({"a.vym", "m.mak", last}).options.error) << last;
}

TEST(VygenScan, SlashStartsASwitchOnlyWhenItIsExactlyOne)
{
    for (const char* sw : {"/p", "/CA", "/?", "/o", "-x", "-"}) EXPECT_TRUE(IsSwitch(sw)) << sw;
    for (const char* path : {"/", "/home/u/p/CPP/Makefile.mak", "/pp", "/a.vym", "CPP/m.mak"})
        EXPECT_FALSE(IsSwitch(path)) << path;
    CScan s = Scan({"/home/u/p/CPP/_VYK_make.vym", "/home/u/p/CPP/Makefile.mak", "/p", "4", "/ca", "-O3"});
    EXPECT_FALSE(s.options.error);
    EXPECT_EQ(s.options.platform, platGnuMake);
    EXPECT_EQ(s.options.compilerArgs, "-O3");
    EXPECT_TRUE(s.options.compilerArgsGiven);
}

TEST(VygenScan, MessageFileThatCannotBeOpenedEndsTheRun)
{
    EXPECT_FALSE(Scan({"-f", "/nonexistent-folder/log.txt", "-a"}).goOn);
}

}  // namespace
