// The highlighter's scanner. Each branch mirrors one rule of the compiler's lexer; the test
// that runs both over the example programs keeps them in step.
#include "VykScanner.h"

#include "VykWords.h"

namespace {

constexpr int kMinWord = 2;
constexpr int kMaxWord = 10;
constexpr char kMaxInt[] = "9223372036854775807";   // MAX(LONGINT), as the compiler's lexer
constexpr int kMaxIntDigits = sizeof kMaxInt - 1;

bool Upper(char c) { return c >= 'A' && c <= 'Z'; }
bool Digit(char c) { return c >= '0' && c <= '9'; }
bool Alnum(char c) { return Upper(c) || Digit(c) || (c >= 'a' && c <= 'z'); }
bool HexLetter(char c) { return c >= 'A' && c <= 'F'; }
bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool SymbolChar(char c)
{
    for (const char* s = ".;:<>()[]{}+-*/=#~&,^|"; *s; ++s)
        if (*s == c) return true;
    return false;
}

EVykStyle WordStyle(int code)
{
    switch (kVykWords[code - kVykFirstWordCode].group) {
    case EWordGroup::Type: return EVykStyle::Type;
    case EWordGroup::Constant: return EVykStyle::Constant;
    case EWordGroup::StandardProcedure: return EVykStyle::Procedure;
    default: return EVykStyle::Keyword;
    }
}

class CLineScanner {
public:
    CLineScanner(const char* s, int len, std::vector<SVykSpan>& spans) : s(s), len(len), spans(spans) {}

    int Run(int depth)
    {
        int p = 0;
        if (depth > 0) p = Comment(0, 0, depth);
        while (p < len) {
            const char c = s[p];
            if (Blank(c)) ++p;
            else if (Upper(c) || (c >= 'a' && c <= 'z')) p = Word(p);
            else if (Digit(c)) p = Number(p);
            else if (c == '\'' || c == '"') p = String(p);
            else if (c == '(' && At(p + 1) == '*') p = Comment(p, p + 2, depth = 1);
            else if (SymbolChar(c)) p = Symbol(p);
            else p = Add(p, p + 1, EVykStyle::Bad);
        }
        return depth;
    }

private:
    char At(int i) const { return i < len ? s[i] : '\0'; }
    int Add(int from, int to, EVykStyle style)
    {
        if (to > from) spans.push_back({from, to - from, style});
        return to;
    }

    // Inside a comment "(*" opens a level and "*)" closes one; the closing test starts at
    // the star of an opening pair, so "(*)" opens and closes at once.
    int Comment(int from, int p, int& depth)
    {
        while (p < len) {
            if (s[p] == '(' && At(p + 1) == '*') {
                ++depth;
                ++p;
            }
            if (s[p] == '*' && At(p + 1) == ')') {
                --depth;
                ++p;
            }
            ++p;
            if (depth == 0) break;
        }
        return Add(from, p < len ? p : len, EVykStyle::Comment);
    }

    int Word(int p)
    {
        int q = p;
        while (Upper(At(q))) ++q;
        const int n = q - p;
        if (n >= kMinWord && n <= kMaxWord && !Alnum(At(q))) {
            if (int code = FindVykWord(s + p, n)) return Add(p, q, WordStyle(code));
        }
        while (Alnum(At(q))) ++q;
        return Add(p, q, EVykStyle::Identifier);
    }

    int Number(int first)
    {
        int p = first;
        while (Digit(At(p))) ++p;
        if (At(p) == '.' && At(p + 1) != '.') {
            for (++p; Digit(At(p)); ++p) {}
            if (At(p) == 'E' || At(p) == 'D') {
                ++p;
                if (At(p) == '+' || At(p) == '-') ++p;
                if (!Digit(At(p))) return Add(first, p, EVykStyle::Bad);
                while (Digit(At(p))) ++p;
            }
            return Add(first, p, EVykStyle::Number);
        }
        const bool hex = HexLetter(At(p));
        if (hex)
            while (Digit(At(p)) || HexLetter(At(p))) ++p;
        if (At(p) == 'H') return Add(first, p + 1, EVykStyle::Number);
        if (At(p) == 'X') return Add(first, p + 1, EVykStyle::Character);
        if (hex) return Add(first, p, EVykStyle::Bad);
        int digits = first;
        while (digits < p - 1 && s[digits] == '0') ++digits;
        const int n = p - digits;
        bool tooLarge = n > kMaxIntDigits;
        if (n == kMaxIntDigits)
            for (int i = 0; i < n && !tooLarge; ++i) {
                if (s[digits + i] != kMaxInt[i]) {
                    tooLarge = s[digits + i] > kMaxInt[i];
                    break;
                }
            }
        return Add(first, p, tooLarge ? EVykStyle::Bad : EVykStyle::Number);
    }

    // A string ends at the quote that opened it, on the same line.
    int String(int p)
    {
        int q = p + 1;
        while (q < len && s[q] != s[p] && s[q] != '\0' && s[q] != '\n' && s[q] != '\r') ++q;
        if (q < len && s[q] == s[p]) return Add(p, q + 1, EVykStyle::String);
        return Add(p, q, EVykStyle::Bad);
    }

    int Symbol(int p)
    {
        const char c = s[p], d = At(p + 1);
        const bool pair = (c == '.' && d == '.') || (d == '=' && (c == ':' || c == '+' || c == '<' || c == '>'));
        return Add(p, p + (pair ? 2 : 1), EVykStyle::Operator);
    }

    const char* s;
    int len;
    std::vector<SVykSpan>& spans;
};

}  // namespace

int ScanVykLine(const char* s, int len, int depth, std::vector<SVykSpan>& spans)
{
    return CLineScanner(s, len, spans).Run(depth);
}
