// The trap table of lib/SYSTEM.h is the one home of the trap codes and messages: every code
// has one message, and README.md lists each as a row "| code | message |".
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "lib/SYSTEM.h"

namespace {

TEST(TrapsTest, CodesAreDistinctAndFitAnExitCode)
{
    std::set<int> codes;
    for (const auto& t : SYSTEM::VYK_TRAP_TEXTS) {
        EXPECT_TRUE(codes.insert(t.code).second) << t.code;
        EXPECT_GT(t.code, 1);
        EXPECT_LE(t.code, 255);
        EXPECT_NE(std::string(t.message), "");
    }
    EXPECT_EQ(codes.size(), size_t(SYSTEM::VYK_TRAP_NO_HANDLER - SYSTEM::VYK_TRAP_RANGE + 1));
}

TEST(TrapsTest, ReadmeListsEveryTrap)
{
    std::ifstream in(VYK_SOURCE_DIR "/README.md");
    ASSERT_TRUE(in.good());
    std::stringstream text;
    text << in.rdbuf();
    for (const auto& t : SYSTEM::VYK_TRAP_TEXTS) {
        std::string row = "\n| " + std::to_string(t.code) + " | " + t.message + " | ";
        EXPECT_NE(text.str().find(row), std::string::npos) << row;
    }
}

}  // namespace
