// Lexer tests: token codes, texts, lines and columns, the chunking of long lines, comment
// nesting, every lexical error at its position, and inputs that must neither crash nor hang.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "front/Messages.h"
#include "TextFile.h"

namespace {

struct SSeen {
    int code;
    std::string text;
    int line;
    int column;
    bool operator==(const SSeen& o) const
    {
        return code == o.code && text == o.text && line == o.line && column == o.column;
    }
};

std::ostream& operator<<(std::ostream& os, const SSeen& s)
{
    return os << "{" << s.code << ", \"" << s.text << "\", st " << s.line << ", pos " << s.column << "}";
}

// Keeps the compiler's messages for the lifetime of the object.
class CCapture : public CMessageCapture {
public:
    CCapture() : CMessageCapture(MsgStream()) {}
};

std::vector<SSeen> Lex(const std::string& source, int tabSize = 1)
{
    CCapture capture;
    auto lb = CLexBuf::TokenizeText(source, "t.vyk", tabSize);
    EXPECT_TRUE(lb) << capture.Text();
    std::vector<SSeen> seen;
    if (!lb) return seen;
    int code;
    const char* text;
    while (lb->NextSymbol(code, text)) seen.push_back({code, text, lb->Line(), lb->Column()});
    return seen;
}

// The messages of a tokenizing run that must fail.
std::string LexError(const std::string& source, int tabSize = 1)
{
    CCapture capture;
    auto lb = CLexBuf::TokenizeText(source, "t.vyk", tabSize);
    EXPECT_FALSE(lb);
    return capture.Text();
}

std::string Error(int line, int column, const char* message)
{
    return "ERROR (st " + std::to_string(line) + ", pos " + std::to_string(column) + "): " + message +
           "\nLexical analysis of \"t.vyk\" - FAILED\n";
}

TEST(Lexer, SymbolsWordsAndIdentifiersWithTheirPositions)
{
    std::vector<SSeen> want = {
        {symMODULE, "", 1, 1}, {symIdent, "M", 1, 8}, {symSemicolon, "", 1, 9},
        {symUpto, "", 2, 1}, {symBecomes, "", 2, 3}, {symPlusBecomes, "", 2, 5}, {symLeq, "", 2, 7},
        {symGeq, "", 2, 9}, {symPeriod, "", 2, 11}, {symColon, "", 2, 12}, {symLss, "", 2, 13},
        {symGtr, "", 2, 14}, {symBar, "", 2, 15}, {symArrow, "", 2, 16}, {symNeq, "", 2, 17},
        {symTimes, "", 3, 1}, {symRparen, "", 3, 2},
        {symIdent, "BEGINx", 4, 1}, {symIdent, "Begin", 4, 8}, {symIdent, "BEGIN1", 4, 14},
        {symIdent, "FOO", 4, 21}, {symBEGIN, "", 4, 25}, {symIdent, "a1b2", 4, 31},
    };
    EXPECT_EQ(Lex("MODULE M;\n..:=+=<=>=.:<>|^#\n*)\nBEGINx Begin BEGIN1 FOO BEGIN a1b2\n"), want);
}

TEST(Lexer, EveryReservedWordHasItsCode)
{
    for (int code = kFirstReservedWord; code <= kLastReservedWord; ++code) {
        std::vector<SSeen> seen = Lex(SymbolSpelling(code));
        ASSERT_EQ(seen.size(), 1u) << SymbolSpelling(code);
        EXPECT_EQ(seen[0].code, code) << SymbolSpelling(code);
    }
}

TEST(Lexer, Numbers)
{
    std::vector<SSeen> want = {
        {symHexInteger, "0FF", 1, 1}, {symChar, "41", 1, 6}, {symHexInteger, "12", 1, 10},
        {symReal, "1.E5", 1, 14}, {symReal, "1.", 1, 19}, {symReal, "1.5", 1, 22},
        {symIdent, "e3", 1, 25}, {symLongReal, "1.5D-3", 1, 28}, {symInteger, "1", 1, 35},
        {symUpto, "", 1, 36}, {symInteger, "5", 1, 38}, {symInteger, "2147483647", 1, 40},
        {symInteger, "0002147483647", 1, 51}, {symReal, "3.0E+12", 1, 65}, {symChar, "0AB", 1, 73},
        {symInteger, "9223372036854775807", 1, 78},
    };
    EXPECT_EQ(Lex("0FFH 41X 12H 1.E5 1. 1.5e3 1.5D-3 1..5 2147483647 0002147483647 3.0E+12 0ABX "
                  "9223372036854775807\n"),
              want);
}

TEST(Lexer, NumberErrorsAtTheirLastCharacter)
{
    EXPECT_EQ(LexError("x := 0FF;\n"), Error(1, 8, "Hex number not terminated"));
    EXPECT_EQ(LexError("x := 1E5\n"), Error(1, 8, "Hex number not terminated"));
    EXPECT_EQ(LexError("  9223372036854775808\n"), Error(1, 21, "Number too large"));
    EXPECT_EQ(LexError("99999999999999999999\n"), Error(1, 20, "Number too large"));
    EXPECT_EQ(LexError("a\n  1.5E;\n"), Error(2, 6, "Not found last digit in scale factor"));
    EXPECT_EQ(LexError("1.5D-x\n"), Error(1, 5, "Not found last digit in scale factor"));
}

TEST(Lexer, StringsKeepTheOtherQuoteAndCannotSpanLines)
{
    std::vector<SSeen> want = {
        {symString, "it's", 1, 2}, {symString, "say \"hi\"", 1, 9}, {symString, "", 1, 20},
        {symString, "(* x *)", 2, 2},
    };
    EXPECT_EQ(Lex("\"it's\" 'say \"hi\"' \"\"\n'(* x *)'"), want);
    EXPECT_EQ(LexError("x := 'abc\n'"), Error(1, 6, "Commas not closed"));
    EXPECT_EQ(LexError("\t\"abc", 4), Error(1, 5, "Commas not closed"));
}

TEST(Lexer, TabsCountAsTheTabSize)
{
    EXPECT_EQ(Lex("\tx", 4), (std::vector<SSeen>{{symIdent, "x", 1, 5}}));
    EXPECT_EQ(Lex("\tx"), (std::vector<SSeen>{{symIdent, "x", 1, 2}}));
    EXPECT_EQ(Lex("\t\tx", 0), (std::vector<SSeen>{{symIdent, "x", 1, 1}}));
    EXPECT_EQ(Lex("(*\t*)'\t'\tx", 3), (std::vector<SSeen>{{symString, "\t", 1, 11}, {symIdent, "x", 1, 16}}));
    EXPECT_EQ(LexError("\t\t$", 8), Error(1, 17, "Incorrect symbol"));
}

TEST(Lexer, HugeTabSizesDoNotWrapColumns)
{
    EXPECT_EQ(Lex("\tx", 20000000), (std::vector<SSeen>{{symIdent, "x", 1, 20000001}}));
    EXPECT_EQ(Lex("\t\t\tx y", 2000000000),
              (std::vector<SSeen>{{symIdent, "x", 1, INT32_MAX}, {symIdent, "y", 1, INT32_MAX}}));
}

TEST(Lexer, CommentsNest)
{
    EXPECT_EQ(Lex("a (* b (* c *) d *) e"), (std::vector<SSeen>{{symIdent, "a", 1, 1}, {symIdent, "e", 1, 21}}));
    // Outside a comment "(*)" opens one; its ")" does not close it.
    EXPECT_EQ(Lex("(*) x *) y"), (std::vector<SSeen>{{symIdent, "y", 1, 10}}));
    // Inside a comment "(*)" opens and closes a level at once.
    EXPECT_EQ(Lex("(* (*) *) z"), (std::vector<SSeen>{{symIdent, "z", 1, 11}}));
    EXPECT_EQ(Lex("(* 'x\n\"y *)\n\"s\""), (std::vector<SSeen>{{symString, "s", 3, 2}}));
    EXPECT_EQ(LexError("x (* a\nb (* c *)\n"), Error(2, 10, "Comment not closed"));
    EXPECT_EQ(LexError("(*) x"), Error(1, 5, "Comment not closed"));
}

TEST(Lexer, IncorrectSymbols)
{
    EXPECT_EQ(LexError("BEGIN_\n"), Error(1, 6, "Incorrect symbol"));
    EXPECT_EQ(LexError("a\n b\xC3\xA9\n"), Error(2, 3, "Incorrect symbol"));
    EXPECT_EQ(LexError(std::string("ab\0cd", 5)), Error(1, 3, "Incorrect symbol"));
    EXPECT_EQ(LexError(std::string("'a\0b'", 5)), Error(1, 3, "Incorrect symbol"));
    EXPECT_EQ(LexError("x := y ! z"), Error(1, 8, "Incorrect symbol"));
    // Only the line where the error is matters, not the lines after it.
    EXPECT_EQ(LexError("a\nb\nc\n  @ 0FF"), Error(4, 3, "Incorrect symbol"));
}

TEST(Lexer, LongLinesAreSplitIntoChunksOf31999Characters)
{
    std::string line(40000, 'a');
    std::vector<SSeen> seen = Lex(line + "\nb\n");
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].text.size(), 31999u);
    EXPECT_EQ(seen[1], (SSeen{symIdent, std::string(40000 - 31999, 'a'), 2, 1}));
    EXPECT_EQ(seen[2], (SSeen{symIdent, "b", 3, 1}));
    // A line of exactly 31999 characters leaves its line feed to a chunk of its own.
    seen = Lex(std::string(31999, 'c') + "\nd");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1], (SSeen{symIdent, "d", 3, 1}));
    // A string cut by the split is not closed in its chunk.
    EXPECT_EQ(LexError(std::string(31990, ' ') + "'" + std::string(20, 'x') + "'"),
              Error(1, 31991, "Commas not closed"));
}

TEST(Lexer, CursorEndsOnTheLineAfterTheLastAndRestores)
{
    CCapture capture;
    auto lb = CLexBuf::TokenizeText("MODULE A;\n  x\n\n", "t.vyk", 1);
    ASSERT_TRUE(lb);
    int code = -1;
    ASSERT_TRUE(lb->NextSymbol(code));
    ASSERT_TRUE(lb->NextSymbol(code));
    SLexPos saved = lb->SavePos();
    std::string text;
    ASSERT_TRUE(lb->NextSymbol(code, text));
    ASSERT_TRUE(lb->NextSymbol(code, text));
    EXPECT_EQ(text, "x");
    EXPECT_EQ(lb->Line(), 2);
    EXPECT_EQ(lb->Column(), 3);
    EXPECT_FALSE(lb->NextSymbol(code));
    EXPECT_EQ(code, symIdent);
    EXPECT_EQ(lb->Line(), 4);
    EXPECT_EQ(lb->Column(), 1);
    lb->RestorePos(saved);
    EXPECT_EQ(lb->Line(), 1);
    EXPECT_EQ(lb->Column(), 8);
    ASSERT_TRUE(lb->NextSymbol(code));
    EXPECT_EQ(code, symSemicolon);
    lb->Reset();
    ASSERT_TRUE(lb->NextSymbol(code));
    EXPECT_EQ(code, symMODULE);
    EXPECT_EQ(capture.Text(), "");
}

// Peek never moves; Accept moves only over the symbol it asks for; Expect and ExpectIdent
// always read one token, so a wrong one is where the diagnostic points.
TEST(Lexer, TokenPrimitivesMoveOnlyAsTheyPromise)
{
    CCapture capture;
    auto lb = CLexBuf::TokenizeText("BEGIN x ;\n END", "t.vyk", 1);
    ASSERT_TRUE(lb);
    EXPECT_TRUE(lb->Peek(symBEGIN));
    EXPECT_FALSE(lb->Peek(symEND));
    EXPECT_FALSE(lb->Accept(symEND));
    EXPECT_TRUE(lb->Accept(symBEGIN));
    EXPECT_EQ(lb->Column(), 1);
    std::string text;
    EXPECT_EQ(lb->ExpectIdent(text, errIdentExpected), 0);
    EXPECT_EQ(text, "x");
    EXPECT_EQ(lb->Column(), 7);
    EXPECT_EQ(lb->Expect(symPeriod, errPeriodMissing), errPeriodMissing);
    EXPECT_EQ(lb->Column(), 9);
    EXPECT_EQ(lb->Expect(symEND, errEndMissing), 0);
    EXPECT_EQ(lb->Line(), 2);
    EXPECT_FALSE(lb->Accept(symEND));   // at the end: nothing read, nothing moved
    EXPECT_EQ(lb->Line(), 2);
    EXPECT_EQ(lb->Column(), 2);
    EXPECT_EQ(lb->Expect(symEND, errEndMissing), errEndMissing);
    EXPECT_EQ(lb->Column(), 1);
    EXPECT_EQ(capture.Text(), "");
}

TEST(Lexer, EmptyInputsTokenizeToNothing)
{
    EXPECT_TRUE(Lex("").empty());
    EXPECT_TRUE(Lex("\n\n  \t\r\n(* c *)").empty());
}

TEST(Lexer, FilesThatCannotBeRead)
{
    CCapture capture;
    EXPECT_FALSE(CLexBuf::Tokenize(testing::TempDir() + "no/such.vyk", 1));
    EXPECT_FALSE(CLexBuf::Tokenize(testing::TempDir(), 1));
    std::string dir = testing::TempDir();
    EXPECT_EQ(capture.Text(), "ERROR: Cannot open file \"" + dir + "no/such.vyk\" for reading\n"
                              "ERROR: Cannot open file \"" + dir + "\" for reading\n");
}

// Inputs of extreme shapes end in a result, never in a crash, an overflow or a hang.
TEST(Lexer, ExtremeInputs)
{
    constexpr int kDepth = 100000;
    constexpr int kPairsPerLine = 1000;
    constexpr int kLines = kDepth / kPairsPerLine;
    std::string opening, closing;
    for (int i = 0; i < kLines; ++i) {
        for (int j = 0; j < kPairsPerLine; ++j) opening += "(*", closing += "*)";
        opening += "\n";
        closing += "\n";
    }
    EXPECT_EQ(Lex(opening + closing + " x"), (std::vector<SSeen>{{symIdent, "x", 2 * kLines + 1, 2}}));
    EXPECT_EQ(LexError(opening + closing.substr(1)), Error(2 * kLines, 2 * kPairsPerLine + 1, "Comment not closed"));

    constexpr size_t kLine = 1u << 20;   // the command-line case takes 10 MB and 50 MB
    std::string line;
    line.reserve(kLine);
    while (line.size() < kLine) line += "abc := 1 + x[2]; ";
    {
        CCapture capture;
        auto lb = CLexBuf::TokenizeText(line, "t.vyk", 1);
        ASSERT_TRUE(lb);
        int code;
        int lines = 1;
        while (lb->NextSymbol(code)) lines = lb->Line();
        EXPECT_EQ(lines, int((line.size() + 31998) / 31999));
    }

    std::string noise(1 << 16, '\0');
    unsigned seed = 12345;
    for (char& c : noise) {
        seed = seed * 1103515245u + 12345u;
        c = char(seed >> 16);
    }
    std::string messages = LexError(noise);
    EXPECT_NE(messages.find("Lexical analysis of \"t.vyk\" - FAILED\n"), std::string::npos);
}

} // namespace
