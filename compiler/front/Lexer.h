// CLexBuf: the whole token list of one source or definition file, read by the parser one
// symbol at a time. Tokenize reads the file in line chunks of at most 31999 characters and
// records every token with its code, column and text; end-of-line markers keep the line count.
// The parser moves a cursor over the list and saves/restores it (three ints) to backtrack.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Symbol codes. Codes 1..7 carry a text; 8 and above are symbols and reserved words
// (35..101 are the reserved words, which can never be identifiers).
enum ESymbol : int {
    symEOL = 0,         // end of a physical line (never returned by NextSymbol)
    symInteger = 1,     // decimal integer: its digits
    symHexInteger = 2,  // hexadecimal integer: the digits without the H
    symReal = 3,        // real number: the whole literal
    symLongReal = 4,    // long real number (scale factor D): the whole literal
    symIdent = 5,
    symString = 6,      // the characters between the quotes
    symChar = 7,        // character constant: the digits without the X
    symPeriod = 8,      // .
    symUpto = 9,        // ..
    symBecomes = 10,    // :=
    symPlusBecomes = 11, // +=
    symLeq = 12,        // <=
    symGeq = 13,        // >=
    symSemicolon = 14,  // ;
    symColon = 15,      // :
    symLss = 16,        // <
    symGtr = 17,        // >
    symLparen = 18,     // (
    symRparen = 19,     // )
    symLbrak = 20,      // [
    symRbrak = 21,      // ]
    symLbrace = 22,     // {
    symRbrace = 23,     // }
    symPlus = 24,       // +
    symMinus = 25,      // -
    symTimes = 26,      // *
    symSlash = 27,      // /
    symEql = 28,        // =
    symNeq = 29,        // #
    symNot = 30,        // ~
    symAnd = 31,        // &
    symComma = 32,      // ,
    symArrow = 33,      // ^
    symBar = 34,        // |
    symBY = 35,
    symDO = 36,
    symIF = 37,
    symIN = 38,
    symIS = 39,
    symOF = 40,
    symOR = 41,
    symTO = 42,
    symDIV = 43,
    symEND = 44,
    symFOR = 45,
    symMOD = 46,
    symNIL = 47,
    symVAR = 48,
    symABS = 49,
    symASH = 50,
    symCAP = 51,
    symCHR = 52,
    symDEC = 53,
    symINC = 54,
    symLEN = 55,
    symMAX = 56,
    symMIN = 57,
    symNEW = 58,
    symODD = 59,
    symORD = 60,
    symSET = 61,
    symCASE = 62,
    symELSE = 63,
    symEXIT = 64,
    symLOOP = 65,
    symTHEN = 66,
    symTYPE = 67,
    symWITH = 68,
    symCHAR = 69,
    symCOPY = 70,
    symEXCL = 71,
    symHALT = 72,
    symINCL = 73,
    symLONG = 74,
    symREAL = 75,
    symSIZE = 76,
    symTRUE = 77,
    symBEGIN = 78,
    symCONST = 79,
    symELSIF = 80,
    symARRAY = 81,
    symUNTIL = 82,
    symWHILE = 83,
    symFALSE = 84,
    symLOCAL = 85,
    symSHORT = 86,
    symASSERT = 87,
    symIMPORT = 88,
    symMODULE = 89,
    symRECORD = 90,
    symREPEAT = 91,
    symRETURN = 92,
    symENTIER = 93,
    symPOINTER = 94,
    symBOOLEAN = 95,
    symINTEGER = 96,
    symLONGINT = 97,
    symLONGREAL = 98,
    symSHORTINT = 99,
    symPROCEDURE = 100,
    symDEFINITION = 101,
};

constexpr int kFirstTextSymbol = symInteger;    // codes 1..7 carry a text
constexpr int kLastTextSymbol = symChar;
constexpr int kFirstReservedWord = symBY;       // 35
constexpr int kLastReservedWord = symDEFINITION; // 101

inline bool IsTextSymbol(int code) { return code >= kFirstTextSymbol && code <= kLastTextSymbol; }
inline bool IsReservedWord(int code) { return code >= kFirstReservedWord && code <= kLastReservedWord; }

// The spelling of a symbol or reserved word ("BEGIN", ":=", ...), for messages and tests;
// "" for the codes that carry a text and for unknown codes.
const char* SymbolSpelling(int code);

// A reading position: restoring it puts back the cursor and the line and column that
// the diagnostics report.
struct SLexPos {
    int32_t cursor = 0;
    int32_t line = 1;
    int32_t column = 1;
};

class CLexBuf {
public:
    // Reads and tokenizes `path`. On failure writes the reason to the message stream
    // ("ERROR: Cannot open file ... for reading", or the lexical diagnostic line followed by
    // "Lexical analysis of ... - FAILED") and returns nullptr.
    static std::unique_ptr<CLexBuf> Tokenize(const std::string& path, int tabSize);
    // The same over text held in memory; `name` stands for the path in the messages.
    static std::unique_ptr<CLexBuf> TokenizeText(const std::string& text, const std::string& name,
                                                 int tabSize);

    CLexBuf() = default;
    CLexBuf(const CLexBuf&) = delete;
    CLexBuf& operator=(const CLexBuf&) = delete;

    // Skips end-of-line markers (counting lines), then returns the next token's code and
    // text (owned by the buffer, never null: "" for symbols and reserved words) and makes its
    // column current. At the end of the list: column 1, returns false, code and text untouched.
    bool NextSymbol(int& code, const char*& text);
    bool NextSymbol(int& code, std::string& text);
    bool NextSymbol(int& code);

    // The parsers' token primitives. Expect reads the next token and returns 0 when it is
    // `symbol`, otherwise `missing` with the wrong token's column current, where the diagnostic
    // points; ExpectIdent does the same for an identifier and keeps its text. Accept reads the next token only when it is `symbol`; otherwise the position
    // stays. Peek tells whether the next token is `symbol` and keeps the position either way.
    int Expect(ESymbol symbol, int missing);
    int ExpectIdent(std::string& text, int missing);
    bool Accept(ESymbol symbol);
    bool Peek(ESymbol symbol);

    SLexPos SavePos() const { return pos; }
    void RestorePos(const SLexPos& saved) { pos = saved; }
    void Reset() { pos = SLexPos(); }

    int Line() const { return pos.line; }
    int Column() const { return pos.column; }

    // Number of token records, end-of-line markers included.
    size_t TokenCount() const { return size_t(tokenCount); }

private:
    friend class CTokenizer;

    // The token list is a stream of 32-bit words: one word per token holding its code and
    // column (columns too large for the field live in bigColumns), followed, for the codes
    // that carry a text, by a second word: the arena reference of the text. The cursor is a
    // word index. Words and texts live in fixed-size pages, so nothing moves while they grow.
    static constexpr int kCodeBits = 7;
    static constexpr uint32_t kCodeMask = (1u << kCodeBits) - 1;
    static constexpr uint32_t kColumnEscape = (1u << (32 - kCodeBits)) - 1;
    static constexpr int kWordPageBits = 16;
    static constexpr uint32_t kWordPageSize = 1u << kWordPageBits;
    static constexpr int kArenaPageBits = 16;
    static constexpr uint32_t kArenaPageSize = 1u << kArenaPageBits;

    uint32_t Word(int32_t index) const
    {
        return wordPages[uint32_t(index) >> kWordPageBits][uint32_t(index) & (kWordPageSize - 1)];
    }
    const char* TextAt(uint32_t ref) const
    {
        return &arenaPages[ref >> kArenaPageBits][ref & (kArenaPageSize - 1)];
    }
    int32_t BigColumn(int32_t index) const;

    std::vector<std::unique_ptr<uint32_t[]>> wordPages;
    int32_t wordCount = 0;
    int32_t tokenCount = 0;
    std::vector<std::unique_ptr<char[]>> arenaPages;
    uint32_t arenaUsed = 0;                               // bytes used in the last page
    std::vector<std::pair<int32_t, int32_t>> bigColumns;  // (word index, column), ascending
    SLexPos pos;
};
