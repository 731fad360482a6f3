// The console frame the three programs share: where the message stream writes (console, -f
// file, a replaced -f file that could not be closed), the switch scan, and the answer to a
// command line before any work.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "Console.h"
#include "MessageStream.h"
#include "Switches.h"
#include "TextFile.h"

namespace {

std::string TempPath(const char* name)
{
    return testing::TempDir() + "vyk_console_" + std::to_string(getpid()) + "_" + name;
}

TEST(MessageStream, ConsoleFileAndBack)
{
    CMessageStream out;
    CMessageCapture capture(out);
    const std::string log = TempPath("log.txt");
    out.Printf("before %d\n", 1);
    EXPECT_FALSE(out.OpenFile(TempPath("no/such/folder/log.txt")));
    out.Printf("still console\n");
    ASSERT_TRUE(out.OpenFile(log));
    out.Printf("in file\n");
    out.ConsolePrintf("console %s\n", "always");
    EXPECT_TRUE(out.CloseFile());
    out.Printf("after\n");
    EXPECT_EQ(capture.Text(), "before 1\nstill console\nconsole always\nafter\n");
    std::string text;
    ASSERT_TRUE(ReadWholeFile(log, text));
    EXPECT_EQ(text, "in file\n");
    std::remove(log.c_str());
}

// A -f file whose messages could not all be written fails the run: the compiler asks at once,
// the linker and the makefile creator when the run ends; either way it is reported once.
TEST(MessageStream, LostMessagesOfAReplacedFileAreReported)
{
    CMessageStream out;
    CMessageCapture capture(out);
    ASSERT_TRUE(out.OpenFile("/dev/full"));
    out.Printf("lost\n");
    ASSERT_TRUE(out.OpenFile(TempPath("second.txt")));
    EXPECT_TRUE(out.TakeCloseFailure());
    EXPECT_FALSE(out.TakeCloseFailure());
    EXPECT_TRUE(out.CloseFile());

    ASSERT_TRUE(out.OpenFile("/dev/full"));
    out.Printf("lost\n");
    ASSERT_TRUE(out.OpenFile(TempPath("second.txt")));
    EXPECT_FALSE(out.CloseFile());
    EXPECT_TRUE(out.CloseFile());
    std::remove(TempPath("second.txt").c_str());
}

enum { swA, swT, swCp };
const CSwitchTable kTable = {{"a", swA}, {"t", swT, "no size\n"}, {"cp", swCp, "no compiler\n"}};

struct SScan {
    EScanStep step;
    std::string taken;
    std::string messages;
};

SScan Scan(const std::vector<std::string>& args, EScanStep onA = EScanStep::next)
{
    CMessageStream out;
    CMessageCapture capture(out);
    SScan result;
    result.step = ScanSwitches(args, kTable, out, [&](int id, const std::string& value) {
        result.taken += std::to_string(id) + "=" + value + ";";
        return id == swA ? onA : EScanStep::next;
    });
    result.messages = capture.Text();
    return result;
}

TEST(Switches, SignsCaseAndPaths)
{
    EXPECT_TRUE(kTable.IsSwitch("-x"));
    EXPECT_TRUE(kTable.IsSwitch("/A"));
    EXPECT_TRUE(kTable.IsSwitch("/Cp"));
    EXPECT_FALSE(kTable.IsSwitch("/tmp/a"));
    EXPECT_FALSE(kTable.IsSwitch("/c"));
    EXPECT_FALSE(kTable.IsSwitch("a"));
    EXPECT_FALSE(kTable.IsSwitch(""));
    EXPECT_EQ(kTable.Find("-aa"), nullptr);
    EXPECT_EQ(kTable.Find("-"), nullptr);
    ASSERT_NE(kTable.Find("-CP"), nullptr);
    EXPECT_EQ(kTable.Find("-CP")->id, swCp);
}

TEST(Switches, ScanTakesValuesAndStopsAtTheFirstError)
{
    SScan s = Scan({"file", "/tmp/x", "-A", "/t", "-a", "-cp", "/a"});
    EXPECT_EQ(s.step, EScanStep::next);
    EXPECT_EQ(s.taken, "0=;1=-a;2=/a;");
    EXPECT_EQ(s.messages, "");

    s = Scan({"-a", "-q", "-a"});
    EXPECT_EQ(s.step, EScanStep::error);
    EXPECT_EQ(s.taken, "0=;");
    EXPECT_EQ(s.messages, "ERROR: Unknown command line option -q\n");

    s = Scan({"-a", "-t"});
    EXPECT_EQ(s.step, EScanStep::error);
    EXPECT_EQ(s.messages, "no size\n");

    s = Scan({"-a", "-x"}, EScanStep::fatal);
    EXPECT_EQ(s.step, EScanStep::fatal);
    EXPECT_EQ(s.messages, "");
}

const char* const kUsage[] = {"Usage: P\n", "  x         Own switch\n"};
const SConsoleProgram kProgram("P (test)", "1.2", "Notice", "P version %s\n", kUsage);

std::string Answer(SConsoleSwitches s, const char* fault, EConsoleStep expected)
{
    CMessageStream out;
    CMessageCapture capture(out);
    EXPECT_EQ(AnswerCommandLine(out, kProgram, s, fault), expected);
    return capture.Text();
}

TEST(Console, AnswerToTheCommandLine)
{
    const std::string banner = "\nP (test) v1.2\nNotice\n\n";
    std::string usage = "Usage: P\n  x         Own switch\n";
    for (const char* piece : console::kCommonUsage) usage += piece;
    SConsoleSwitches s;
    EXPECT_EQ(Answer(s, nullptr, EConsoleStep::run), banner);
    EXPECT_EQ(Answer(s, "bad\n", EConsoleStep::exitFailure), "bad\n" + banner + usage);
    s.about = false;
    EXPECT_EQ(Answer(s, nullptr, EConsoleStep::run), "");
    s.help = true;
    EXPECT_EQ(Answer(s, "bad\n", EConsoleStep::exitSuccess), usage);
    s.version = true;
    EXPECT_EQ(Answer(s, "bad\n", EConsoleStep::exitSuccess), "P version 1.2\n");
    s = SConsoleSwitches();
    s.error = true;
    EXPECT_EQ(Answer(s, "bad\n", EConsoleStep::exitFailure), banner + usage);
}

}  // namespace
