// The lexer: reads a whole file in line chunks and turns it into the token list of a CLexBuf.
// A chunk is one line with its line feed, or the first 31999 characters of a longer line; a
// token never spans two chunks, a comment may. Columns count a tab as the tab size. The first
// lexical error ends the run with one diagnostic line at the error's line and column.
#include "front/Lexer.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

#include "front/Diagnostics.h"
#include "front/Messages.h"
#include "VykWords.h"

namespace {

constexpr size_t kChunkBuffer = 32000;               // the line-reading buffer, NUL included
constexpr size_t kMaxChunk = kChunkBuffer - 1;       // characters of one chunk
constexpr size_t kChunkPadding = 8;                  // zero bytes after a chunk for look-ahead
constexpr size_t kReadBlock = 1 << 20;               // bytes read from the file at once
constexpr int kMinReservedLength = 2;
constexpr int kMaxReservedLength = 10;
constexpr char kMaxIntText[] = "9223372036854775807";   // the largest decimal integer literal
constexpr size_t kMaxIntDigits = sizeof kMaxIntText - 1;

// Character classes of the scanner's main dispatch.
enum ECharClass : unsigned char { ccOther, ccBlank, ccTab, ccUpper, ccLower, ccDigit, ccQuote, ccSymbol };

struct SCharTable {
    unsigned char cls[256];
    signed char symbol[256];   // one-character symbol codes, -1 for none
    SCharTable()
    {
        std::memset(cls, ccOther, sizeof cls);
        std::memset(symbol, -1, sizeof symbol);
        cls[unsigned(' ')] = cls[unsigned('\r')] = cls[unsigned('\n')] = ccBlank;
        cls[unsigned('\t')] = ccTab;
        for (int c = 'A'; c <= 'Z'; ++c) cls[c] = ccUpper;
        for (int c = 'a'; c <= 'z'; ++c) cls[c] = ccLower;
        for (int c = '0'; c <= '9'; ++c) cls[c] = ccDigit;
        cls[unsigned('\'')] = cls[unsigned('"')] = ccQuote;
        static const struct { char c; ESymbol code; } singles[] = {
            {'.', symPeriod}, {';', symSemicolon}, {':', symColon}, {'<', symLss}, {'>', symGtr},
            {'(', symLparen}, {')', symRparen}, {'[', symLbrak}, {']', symRbrak}, {'{', symLbrace},
            {'}', symRbrace}, {'+', symPlus}, {'-', symMinus}, {'*', symTimes}, {'/', symSlash},
            {'=', symEql}, {'#', symNeq}, {'~', symNot}, {'&', symAnd}, {',', symComma},
            {'^', symArrow}, {'|', symBar}};
        for (const auto& s : singles) {
            cls[(unsigned char)s.c] = ccSymbol;
            symbol[(unsigned char)s.c] = (signed char)s.code;
        }
    }
};
const SCharTable kChars;

inline bool IsDigit(char c) { return kChars.cls[(unsigned char)c] == ccDigit; }
inline bool IsAlnum(char c)
{
    unsigned char k = kChars.cls[(unsigned char)c];
    return k == ccUpper || k == ccLower || k == ccDigit;
}
inline bool IsHexLetter(char c) { return c >= 'A' && c <= 'F'; }

struct SWord {
    const char* text;
    ESymbol code;
};
// The reserved words grouped by length and first letter, so a lookup compares a handful.
struct SWordTable {
    static constexpr int kLetters = 26;
    std::vector<SWord> slots[kMaxReservedLength + 1][kLetters];
    SWordTable()
    {
        static_assert(kVykFirstWordCode == kFirstReservedWord &&
                      kVykFirstWordCode + kVykWordCount - 1 == kLastReservedWord,
                      "the shared word table covers the reserved-word codes");
        for (int i = 0; i < kVykWordCount; ++i) {
            const SWord w = {kVykWords[i].text, ESymbol(kVykFirstWordCode + i)};
            slots[std::strlen(w.text)][w.text[0] - 'A'].push_back(w);
        }
    }
    // The code of the reserved word s[0..n), or symIdent when it is none.
    int Find(const char* s, size_t n) const
    {
        for (const SWord& w : slots[n][s[0] - 'A'])
            if (std::memcmp(w.text, s, n) == 0) return w.code;
        return symIdent;
    }
};
const SWordTable kWords;

// Delivers the file (or a text in memory) as chunks: what a line-reading call with a
// 32000-character buffer returns, followed by zero padding.
class CChunkSource {
public:
    explicit CChunkSource(std::FILE* file) : file(file), block(new char[kReadBlock]) {}
    explicit CChunkSource(const std::string& text) : data(text.data()), dataLen(text.size()) {}

    // False at the end of the input or on a read error (see ReadFailed).
    bool Next(char* out, size_t& len)
    {
        len = 0;
        while (len < kMaxChunk) {
            if (pos == dataLen && !Refill()) break;
            size_t avail = std::min(dataLen - pos, kMaxChunk - len);
            const char* from = data + pos;
            const void* nl = std::memchr(from, '\n', avail);
            size_t take = nl ? size_t(static_cast<const char*>(nl) - from) + 1 : avail;
            std::memcpy(out + len, from, take);
            len += take;
            pos += take;
            if (nl) break;
        }
        std::memset(out + len, 0, kChunkPadding);
        return len > 0;
    }
    bool ReadFailed() const { return failed; }
    bool AnyRead() const { return anyRead; }

private:
    bool Refill()
    {
        if (!file) return false;
        size_t n = std::fread(block.get(), 1, kReadBlock, file);
        if (n == 0) {
            failed = std::ferror(file) != 0;
            return false;
        }
        anyRead = true;
        data = block.get();
        dataLen = n;
        pos = 0;
        return true;
    }

    std::FILE* file = nullptr;
    std::unique_ptr<char[]> block;
    const char* data = nullptr;
    size_t dataLen = 0;
    size_t pos = 0;
    bool failed = false;
    bool anyRead = false;
};

} // namespace

// Scans chunks into the token list of a CLexBuf.
class CTokenizer {
public:
    CTokenizer(CLexBuf& lb, int tabSize) : lb(lb), tabExtra(int64_t(tabSize) - 1)
    {
        NewArenaPage();
        lb.arenaPages[0][0] = '\0';   // reference 0: the empty text
        lb.arenaUsed = 1;
    }

    // Scans one chunk s[0..len) followed by zero padding; errOK or a lexical error code.
    int Chunk(const char* s, size_t len);
    // Checks the state after the last chunk.
    int Finish();

    int errLine = 1;
    int errColumn = 1;
    bool tooLarge = false;   // the token list or its texts outgrew the buffer's limits

private:
    int64_t Col(const char* p) const { return int64_t(p - start) + 1 + tabs; }
    int Fail(int code, int64_t column)
    {
        errLine = line;
        errColumn = Clamp(column);
        return code;
    }
    static int32_t Clamp(int64_t column) { return int32_t(std::min<int64_t>(column, INT32_MAX)); }

    const char* Comment(const char* p, const char* end);
    const char* Number(const char* p, int& err);
    const char* String(const char* p, const char* end, int& err);
    const char* Word(const char* p);
    const char* Symbol(const char* p);

    bool Add(int code, int64_t column, const char* text, size_t len);
    bool Add(int code, int64_t column);
    bool PutWord(uint32_t word);
    bool NewArenaPage();
    uint32_t Store(const char* text, size_t len);

    CLexBuf& lb;
    const int64_t tabExtra;      // what a tab adds beyond the 1 that every character counts
    const char* start = nullptr; // the current chunk
    int64_t tabs = 0;            // extra width of the tabs passed in the current chunk
    int64_t depth = 0;           // comment nesting
    int line = 1;
    int64_t lastColumn = 0;      // final column of the last chunk
};

bool CTokenizer::NewArenaPage()
{
    constexpr size_t kMaxArenaPages = size_t(1) << (32 - CLexBuf::kArenaPageBits);
    if (lb.arenaPages.size() >= kMaxArenaPages) return false;
    lb.arenaPages.emplace_back(new char[CLexBuf::kArenaPageSize]);
    lb.arenaUsed = 0;
    return true;
}

bool CTokenizer::PutWord(uint32_t word)
{
    int32_t index = lb.wordCount;
    if (index == INT32_MAX) return !(tooLarge = true);
    uint32_t page = uint32_t(index) >> CLexBuf::kWordPageBits;
    if (page == lb.wordPages.size()) lb.wordPages.emplace_back(new uint32_t[CLexBuf::kWordPageSize]);
    lb.wordPages[page][uint32_t(index) & (CLexBuf::kWordPageSize - 1)] = word;
    ++lb.wordCount;
    return true;
}

bool CTokenizer::Add(int code, int64_t column)
{
    uint32_t field = uint32_t(Clamp(column));
    if (field >= CLexBuf::kColumnEscape) {
        lb.bigColumns.emplace_back(lb.wordCount, int32_t(field));
        field = CLexBuf::kColumnEscape;
    }
    ++lb.tokenCount;
    return PutWord(uint32_t(code) | field << CLexBuf::kCodeBits);
}

bool CTokenizer::Add(int code, int64_t column, const char* text, size_t len)
{
    uint32_t ref = Store(text, len);
    return !tooLarge && Add(code, column) && PutWord(ref);
}

// Copies a text into the arena; its reference, or 0 (the empty text) when the arena is full.
uint32_t CTokenizer::Store(const char* text, size_t len)
{
    if (len == 0) return 0;
    if (lb.arenaUsed + len + 1 > CLexBuf::kArenaPageSize && !NewArenaPage()) {
        tooLarge = true;
        return 0;
    }
    uint32_t ref = uint32_t((lb.arenaPages.size() - 1) << CLexBuf::kArenaPageBits) | lb.arenaUsed;
    char* dest = &lb.arenaPages.back()[lb.arenaUsed];
    std::memcpy(dest, text, len);
    dest[len] = '\0';
    lb.arenaUsed += uint32_t(len + 1);
    return ref;
}

// Inside a comment: "(*" opens a nested level and "*)" closes one; "(*)" opens and closes
// at once, because the closing test starts at the star of the opening pair.
const char* CTokenizer::Comment(const char* p, const char* end)
{
    while (p < end) {
        if (*p == '\t') tabs += tabExtra;
        if (p[0] == '(' && p[1] == '*') {
            ++depth;
            ++p;
        }
        if (p[0] == '*' && p[1] == ')') {
            --depth;
            ++p;
        }
        ++p;
        if (depth == 0) break;
    }
    return p;
}

// number = digit {digit} ["." {digit} [("E" | "D") ["+" | "-"] digit {digit}]]
//        | digit {hexDigit} ("H" | "X").
const char* CTokenizer::Number(const char* p, int& err)
{
    const char* first = p;
    while (IsDigit(*p)) ++p;
    if (p[0] == '.' && p[1] != '.') {
        int code = symReal;
        for (++p; IsDigit(*p); ++p) {}
        if (*p == 'E' || *p == 'D') {
            code = *p == 'E' ? symReal : symLongReal;
            ++p;
            if (*p == '+' || *p == '-') ++p;
            if (!IsDigit(*p)) {
                err = Fail(errScaleFactorDigit, Col(p - 1));
                return p;
            }
            while (IsDigit(*p)) ++p;
        }
        Add(code, Col(first), first, size_t(p - first));
        return p;
    }
    bool hexDigits = IsHexLetter(*p);
    if (hexDigits)
        while (IsDigit(*p) || IsHexLetter(*p)) ++p;
    if (*p == 'H' || *p == 'X') {
        Add(*p == 'H' ? symHexInteger : symChar, Col(first), first, size_t(p - first));
        return p + 1;
    }
    if (hexDigits) {
        err = Fail(errHexNotTerminated, Col(p - 1));
        return p;
    }
    const char* digits = first;
    while (digits < p - 1 && *digits == '0') ++digits;
    size_t n = size_t(p - digits);
    if (n > kMaxIntDigits || (n == kMaxIntDigits && std::memcmp(digits, kMaxIntText, n) > 0)) {
        err = Fail(errNumberTooLarge, Col(p - 1));
        return p;
    }
    Add(symInteger, Col(first), first, size_t(p - first));
    return p;
}

// A string ends at the quote that opened it, within the chunk. A NUL byte cannot be part of
// a string's text, so it is an incorrect symbol there as everywhere outside comments.
const char* CTokenizer::String(const char* p, const char* end, int& err)
{
    const char* quote = p++;
    const char* close = static_cast<const char*>(std::memchr(p, *quote, size_t(end - p)));
    const char* stop = close ? close : end;
    int64_t column = Col(p) + (*p == '\t' ? tabExtra : 0);
    const char* q = p;
    for (; q < stop; ++q) {
        if (*q == '\t') tabs += tabExtra;
        else if (*q == '\0') break;
    }
    if (q < stop) {
        err = Fail(errIncorrectSymbol, Col(q));
        return q;
    }
    if (!close) {
        err = Fail(errStringNotClosed, Col(quote));
        return end;
    }
    Add(symString, column, p, size_t(close - p));
    return close + 1;
}

// A run of 2 to 10 capitals that is not followed by a letter or digit may be a reserved
// word; everything else that starts with a letter is an identifier.
const char* CTokenizer::Word(const char* p)
{
    const char* q = p;
    while (kChars.cls[(unsigned char)*q] == ccUpper) ++q;
    size_t n = size_t(q - p);
    if (n >= size_t(kMinReservedLength) && n <= size_t(kMaxReservedLength) && !IsAlnum(*q)) {
        int code = kWords.Find(p, n);
        if (code != symIdent) {
            Add(code, Col(p));
            return q;
        }
    }
    while (IsAlnum(*q)) ++q;
    Add(symIdent, Col(p), p, size_t(q - p));
    return q;
}

const char* CTokenizer::Symbol(const char* p)
{
    int code = -1;
    switch (p[0]) {
    case '.': code = p[1] == '.' ? symUpto : -1; break;
    case ':': code = p[1] == '=' ? symBecomes : -1; break;
    case '+': code = p[1] == '=' ? symPlusBecomes : -1; break;
    case '<': code = p[1] == '=' ? symLeq : -1; break;
    case '>': code = p[1] == '=' ? symGeq : -1; break;
    default: break;
    }
    if (code >= 0) {
        Add(code, Col(p));
        return p + 2;
    }
    Add(kChars.symbol[(unsigned char)*p], Col(p));
    return p + 1;
}

int CTokenizer::Chunk(const char* s, size_t len)
{
    start = s;
    tabs = 0;
    const char* end = s + len;
    const char* p = s;
    int err = errOK;
    while (p < end && err == errOK && !tooLarge) {
        if (depth > 0) {
            p = Comment(p, end);
            continue;
        }
        switch (kChars.cls[(unsigned char)*p]) {
        case ccBlank: ++p; break;
        case ccTab: tabs += tabExtra; ++p; break;
        case ccUpper:
        case ccLower: p = Word(p); break;
        case ccDigit: p = Number(p, err); break;
        case ccQuote: p = String(p, end, err); break;
        case ccSymbol:
            if (p[0] == '(' && p[1] == '*') {
                depth = 1;
                p = Comment(p + 2, end);
            } else {
                p = Symbol(p);
            }
            break;
        default: err = Fail(errIncorrectSymbol, Col(p)); break;
        }
    }
    if (err != errOK || tooLarge) return err;
    lastColumn = int64_t(len) + tabs;
    Add(symEOL, lastColumn);
    ++line;
    return errOK;
}

int CTokenizer::Finish()
{
    if (depth == 0) return errOK;
    --line;
    return Fail(errCommentNotClosed, lastColumn);
}

namespace {

std::unique_ptr<CLexBuf> Scan(CChunkSource& source, const std::string& name, int tabSize)
{
    auto lb = std::make_unique<CLexBuf>();
    CTokenizer scanner(*lb, tabSize);
    std::unique_ptr<char[]> chunk(new char[kChunkBuffer + kChunkPadding]);
    size_t len = 0;
    int err = errOK;
    while (err == errOK && !scanner.tooLarge && source.Next(chunk.get(), len))
        err = scanner.Chunk(chunk.get(), len);
    if (source.ReadFailed()) {
        Msg(source.AnyRead() ? msg::kCannotRead : msg::kCannotOpenForReading, name.c_str());
        return nullptr;
    }
    if (scanner.tooLarge) {
        Msg(msg::kFileTooLarge, name.c_str());
        return nullptr;
    }
    if (err == errOK) err = scanner.Finish();
    if (err != errOK) {
        ReportErrorAt(err, scanner.errLine, scanner.errColumn);
        Msg(msg::kLexicalFailed, name.c_str());
        return nullptr;
    }
    lb->Reset();
    return lb;
}

} // namespace

std::unique_ptr<CLexBuf> CLexBuf::Tokenize(const std::string& path, int tabSize)
{
    std::FILE* f = std::fopen(path.c_str(), "r");
    if (!f) {
        Msg(msg::kCannotOpenForReading, path.c_str());
        return nullptr;
    }
    std::unique_ptr<CLexBuf> lb;
    {
        CChunkSource source(f);
        lb = Scan(source, path, tabSize);
    }
    std::fclose(f);
    return lb;
}

std::unique_ptr<CLexBuf> CLexBuf::TokenizeText(const std::string& text, const std::string& name, int tabSize)
{
    CChunkSource source(text);
    return Scan(source, name, tabSize);
}

const char* SymbolSpelling(int code)
{
    static const char* const kSymbols[] = {"", "", "", "", "", "", "", "", ".", "..", ":=", "+=",
        "<=", ">=", ";", ":", "<", ">", "(", ")", "[", "]", "{", "}", "+", "-", "*", "/", "=",
        "#", "~", "&", ",", "^", "|"};
    constexpr int kSymbolCount = int(sizeof kSymbols / sizeof kSymbols[0]);
    if (code >= 0 && code < kSymbolCount) return kSymbols[code];
    if (IsReservedWord(code)) return kVykWords[code - kVykFirstWordCode].text;
    return "";
}

int32_t CLexBuf::BigColumn(int32_t index) const
{
    auto it = std::lower_bound(bigColumns.begin(), bigColumns.end(), std::make_pair(index, INT32_MIN));
    return it != bigColumns.end() && it->first == index ? it->second : int32_t(kColumnEscape);
}

bool CLexBuf::NextSymbol(int& code, const char*& text)
{
    while (pos.cursor < wordCount) {
        uint32_t word = Word(pos.cursor);
        int symbol = int(word & kCodeMask);
        if (symbol == symEOL) {
            ++pos.line;
            ++pos.cursor;
            continue;
        }
        uint32_t column = word >> kCodeBits;
        pos.column = column == kColumnEscape ? BigColumn(pos.cursor) : int32_t(column);
        code = symbol;
        if (IsTextSymbol(symbol)) {
            text = TextAt(Word(pos.cursor + 1));
            pos.cursor += 2;
        } else {
            text = "";
            ++pos.cursor;
        }
        return true;
    }
    pos.column = 1;
    return false;
}

bool CLexBuf::NextSymbol(int& code, std::string& text)
{
    const char* t = nullptr;
    if (!NextSymbol(code, t)) return false;
    text = t;
    return true;
}

bool CLexBuf::NextSymbol(int& code)
{
    const char* t = nullptr;
    return NextSymbol(code, t);
}

int CLexBuf::Expect(ESymbol symbol, int missing)
{
    int code = 0;
    return NextSymbol(code) && code == symbol ? 0 : missing;
}

int CLexBuf::ExpectIdent(std::string& text, int missing)
{
    int code = 0;
    return NextSymbol(code, text) && code == symIdent ? 0 : missing;
}

bool CLexBuf::Accept(ESymbol symbol)
{
    SLexPos saved = pos;
    int code = 0;
    if (NextSymbol(code) && code == symbol) return true;
    pos = saved;
    return false;
}

bool CLexBuf::Peek(ESymbol symbol)
{
    SLexPos saved = pos;
    int code = 0;
    bool found = NextSymbol(code) && code == symbol;
    pos = saved;
    return found;
}
