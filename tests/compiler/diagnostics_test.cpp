// The numbered messages: codes outside the table fall back to entry 0, and both positioned
// line formats go to the message stream.
#include <gtest/gtest.h>

#include <string>

#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "front/Messages.h"

namespace {

TEST(Diagnostics, MessageTableLookup)
{
    EXPECT_STREQ(MessageText(errUnknownInternal), "Unknown internal error");
    EXPECT_STREQ(MessageText(errIdentExpected), "Identifier expected");
    EXPECT_STREQ(MessageText(errSemicolonMissing), "\";\" missing");
    EXPECT_STREQ(MessageText(errHandlerNotBound), "Handler procedure not bound to common procedure");
    for (int code : {-1, 0, int(sigNoMoreDecl), int(sigSignal4), kMessageCount, 1000})
        EXPECT_STREQ(MessageText(code), "Internal error: Wrong error code") << code;
    for (int code = kFirstReportedCode; code <= kLastReportedCode; ++code)
        EXPECT_STRNE(MessageText(code), "") << code;
}

TEST(Diagnostics, PositionedLinesUseTheBufferPosition)
{
    CMessageCapture capture(MsgStream());
    auto lb = CLexBuf::TokenizeText("MODULE M;\n\tx := 1\n", "t.vyk", 4);
    ASSERT_TRUE(lb);
    int code;
    for (int i = 0; i < 4; ++i) lb->NextSymbol(code);
    ReportError(errBecomesMissing, *lb);
    ReportWarning(wrnNotAllPathsReturn, *lb);
    while (lb->NextSymbol(code)) {}
    ReportError(errPeriodMissing, *lb);
    ReportErrorAt(1000, 7, 9);
    EXPECT_EQ(capture.Text(), "ERROR (st 2, pos 5): \":=\" missing\n"
                    "WARNING (st 2, pos 5): Not all control paths return a value\n"
                    "ERROR (st 3, pos 1): \".\" missing\n"
                    "ERROR (st 7, pos 9): Internal error: Wrong error code\n");
}

} // namespace
