// Command-line scan of the compiler: which argument is the source and which the project file,
// which arguments are switch values, and the tab-size rule.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "driver/Driver.h"
#include "front/Messages.h"
#include "TextFile.h"

namespace {

// Scans with the messages captured; returns them.
std::string Scan(const std::vector<std::string>& args, SCommandLine& cl)
{
    CMessageCapture capture(MsgStream());
    cl = ScanCommandLine(args);
    return capture.Text();
}

TEST(DriverScan, SourceProjectAndSwitchValues)
{
    SCommandLine cl;
    EXPECT_EQ(Scan({"a.vyk", "p.pro", "-M", "/d", "-t", "4", "-a"}, cl), "");
    EXPECT_EQ(cl.source, "a.vyk");
    EXPECT_TRUE(cl.hasProject);
    EXPECT_EQ(cl.project, "p.pro");
    EXPECT_TRUE(cl.mainModule);
    EXPECT_TRUE(cl.drop);
    EXPECT_FALSE(cl.about);
    EXPECT_EQ(cl.tabSize, 4);
    EXPECT_FALSE(cl.error);

    // A second argument that is a switch is no project file; a value may look like a switch.
    EXPECT_EQ(Scan({"a.vyk", "-t", "-1"}, cl), "ERROR: Incorrect tab size format\n");
    EXPECT_FALSE(cl.hasProject);
    EXPECT_TRUE(cl.error);

    // The first argument is the source even when it is a switch too.
    EXPECT_EQ(Scan({"-a"}, cl), "");
    EXPECT_EQ(cl.source, "-a");
    EXPECT_FALSE(cl.about);
    EXPECT_FALSE(cl.hasProject);

    // Arguments that are not switches are passed over, wherever they stand.
    EXPECT_EQ(Scan({"a.vyk", "-v", "stray", "-h"}, cl), "");
    EXPECT_TRUE(cl.version);
    EXPECT_TRUE(cl.help);
    EXPECT_EQ(cl.tabSize, -1);

    EXPECT_EQ(Scan({}, cl), "");
    EXPECT_TRUE(cl.help);
    EXPECT_TRUE(cl.about);
}

TEST(DriverScan, FirstErrorEndsTheScan)
{
    SCommandLine cl;
    EXPECT_EQ(Scan({"a.vyk", "-ab", "-q", "-t"}, cl), "ERROR: Unknown command line option -ab\n");
    EXPECT_TRUE(cl.error);
    EXPECT_EQ(Scan({"a.vyk", "-m", "-t"}, cl), "ERROR: Not found tab size after -t in command line\n");
    EXPECT_TRUE(cl.mainModule);
    EXPECT_EQ(Scan({"a.vyk", "-f"}, cl), "ERROR: Not found file name after -f in command line\n");
    EXPECT_EQ(Scan({"a.vyk", "-f", testing::TempDir() + "no/such/log"}, cl),
              "ERROR: Cannot open file \"" + testing::TempDir() + "no/such/log\" for writing\n");
    EXPECT_TRUE(cl.fatal);
}

TEST(DriverScan, TabSizeTakesTheLeadingDecimalInteger)
{
    EXPECT_EQ(ParseTabSize("0"), 0);
    EXPECT_EQ(ParseTabSize("8x"), 8);
    EXPECT_EQ(ParseTabSize(" +3"), 3);
    EXPECT_EQ(ParseTabSize("2147483647"), 2147483647);
    for (const char* bad : {"00", "-0", "-1", "x", "", "0x10", "2147483648", "99999999999999999999"})
        EXPECT_EQ(ParseTabSize(bad), -1) << bad;
}

} // namespace
