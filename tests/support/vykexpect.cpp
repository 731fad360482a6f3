// Derives what the compiler must print for an error module from the expectations written
// inside it, so that a case compares the two byte for byte. An expectation is a comment right
// after the token that the diagnostic points at:
//   MODULE M; VAR P: INTEGER; PROCEDURE P; (* expect: 15 Multiply defined identifier *) END P; END M.
//   ... END (* expect warning: 6 Not all control paths return a value *) F; ...
// The line is the comment's line, the column the first column of the token just before it (of
// a string, the column of its first character after the quote, as the compiler counts it);
// the number is the message's code, and its text must be the compiler's text for that code.
// A diagnostic at the end of the file, where no token is, has its comment after the last token
// (on the last line, so that the end stays where it was):
//   MODULE A; (* expect at end of file: 66 END missing *)
// Printed: the diagnostic lines in source order, the compiler's last line (a failed syntactic
// analysis after an error, the module's OK line otherwise) and "exit <code>".
// A tab is refused, since its width is the project's TABSIZE, unless --tab-size gives that
// width (the compiler's default is 1).
//   usage: vykexpect [--tab-size <n>] <module.vyk>   (exit code 2 when the expectations cannot be read)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "front/Diagnostics.h"
#include "TextFile.h"

namespace {

struct SExpectation {
    bool warning = false;
    bool atEnd = false;    // at the end of the file, not at a token
    int tokensBefore = 0;  // of an expectation at the end: the tokens before its comment
    int line = 0;
    int column = 0;
    int code = 0;
    std::string text;
};

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Walks the module as the compiler's scanner does, only as far as token starts: identifiers,
// numbers, strings, comments and the one- and two-character symbols. Columns count
// characters from 1, a tab as `tabSize` of them; with a tab size of 0 a tab is refused.
class CExpectationScan {
public:
    CExpectationScan(const std::string& text, int tabSize) : s(text), tabSize(tabSize) {}
    // False with `fault` set when the module's expectations cannot be read.
    bool Run(std::vector<SExpectation>& found, std::string& fault);
    std::string moduleName;  // the identifier after MODULE

private:
    const std::string& s;
    const int tabSize;
    size_t i = 0;
    int line = 1, column = 1;
    int tokenLine = 0, tokenColumn = 0;  // where the last token began
    int tokens = 0;                      // tokens so far
    std::string lastWord;

    char At(size_t k) const { return k < s.size() ? s[k] : '\0'; }
    void Advance()
    {
        if (s[i] == '\n') {
            ++line;
            column = 1;
        } else {
            column += s[i] == '\t' ? tabSize : 1;
        }
        ++i;
    }
    void Skip(size_t n)
    {
        while (n-- > 0 && i < s.size()) Advance();
    }
    void Number();
    void Token();
    bool Comment(std::vector<SExpectation>& found, std::string& fault);
    bool Expectation(const std::string& body, int commentLine, std::vector<SExpectation>& found, std::string& fault);
};

// Digits, hexadecimal digits and the H or X after them, or a real number with its scale factor.
void CExpectationScan::Number()
{
    while (IsDigit(At(i)) || IsLetter(At(i))) Advance();
    if (At(i) != '.' || At(i + 1) == '.') return;
    Advance();
    while (IsDigit(At(i))) Advance();
    if (std::strchr("EeDd", At(i)) && At(i) != '\0') {
        Advance();
        if (At(i) == '+' || At(i) == '-') Advance();
        while (IsDigit(At(i))) Advance();
    }
}

void CExpectationScan::Token()
{
    tokenLine = line;
    tokenColumn = column;
    ++tokens;
    const char c = At(i);
    if (IsLetter(c)) {
        const size_t start = i;
        while (IsLetter(At(i)) || IsDigit(At(i))) Advance();
        const std::string word = s.substr(start, i - start);
        if (lastWord == "MODULE" && moduleName.empty()) moduleName = word;
        lastWord = word;
        return;
    }
    lastWord.clear();
    if (IsDigit(c)) return Number();
    if (c == '"' || c == '\'') {
        Advance();
        tokenColumn = column;  // the compiler places a string at its first character
        while (i < s.size() && At(i) != c && At(i) != '\n') Advance();
        return Skip(1);
    }
    static const char* const pairs[] = {":=", "..", "<=", ">=", "+="};
    for (const char* pair : pairs)
        if (c == pair[0] && At(i + 1) == pair[1]) return Skip(2);
    Skip(1);
}

// A comment, nested ones included; an expectation is read instead of skipped.
bool CExpectationScan::Comment(std::vector<SExpectation>& found, std::string& fault)
{
    const int commentLine = line;
    const size_t bodyStart = i + 2;
    Skip(2);
    int depth = 1;
    while (i < s.size() && depth > 0) {
        if (At(i) == '(' && At(i + 1) == '*') {
            ++depth;
            Skip(2);
        } else if (At(i) == '*' && At(i + 1) == ')') {
            --depth;
            Skip(2);
        } else {
            Advance();
        }
    }
    if (depth > 0) {
        fault = "comment not closed";
        return false;
    }
    const std::string body = s.substr(bodyStart, i - 2 - bodyStart);
    const size_t first = body.find_first_not_of(' ');
    if (first == std::string::npos || body.compare(first, 6, "expect") != 0) return true;
    return Expectation(body.substr(first), commentLine, found, fault);
}

bool CExpectationScan::Expectation(const std::string& body, int commentLine, std::vector<SExpectation>& found,
                                   std::string& fault)
{
    SExpectation e;
    size_t rest;
    if (body.compare(0, 7, "expect:") == 0) {
        rest = 7;
    } else if (body.compare(0, 15, "expect warning:") == 0) {
        e.warning = true;
        rest = 15;
    } else if (body.compare(0, 22, "expect at end of file:") == 0) {
        e.atEnd = true;
        e.tokensBefore = tokens;
        rest = 22;
    } else {
        fault = "line " + std::to_string(commentLine) +
                ": neither \"expect:\", \"expect warning:\" nor \"expect at end of file:\"";
        return false;
    }
    size_t end = body.find_last_not_of(' ');
    const std::string tail = body.substr(rest, end + 1 - rest);
    int used = 0;
    if (std::sscanf(tail.c_str(), " %d %n", &e.code, &used) != 1 || used == 0) {
        fault = "line " + std::to_string(commentLine) + ": the expectation has no message number";
        return false;
    }
    e.text = tail.substr(size_t(used));
    if (e.code < kFirstReportedCode || e.code > kLastReportedCode || e.text != MessageText(e.code)) {
        fault = "line " + std::to_string(commentLine) + ": \"" + e.text + "\" is not the text of message " +
                std::to_string(e.code);
        return false;
    }
    if (e.atEnd) {
        found.push_back(e);  // placed when the end is reached
        return true;
    }
    if (tokenLine != commentLine) {
        fault = "line " + std::to_string(commentLine) + ": an expectation follows its token on the same line";
        return false;
    }
    e.line = tokenLine;
    e.column = tokenColumn;
    found.push_back(e);
    return true;
}

bool CExpectationScan::Run(std::vector<SExpectation>& found, std::string& fault)
{
    while (i < s.size()) {
        const char c = At(i);
        if (c == '\t' && tabSize == 0) {
            fault = "line " + std::to_string(line) + ": a tab (its width is the project's tab size: give --tab-size)";
            return false;
        }
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            Advance();
        } else if (c == '(' && At(i + 1) == '*') {
            if (!Comment(found, fault)) return false;
        } else {
            Token();
        }
    }
    for (SExpectation& e : found)
        if (e.atEnd) {
            if (e.tokensBefore != tokens) {
                fault = "an expectation at the end of the file has tokens after it";
                return false;
            }
            e.line = line;
            e.column = column;
        }
    return true;
}

// The compiler stops at its first error, so an error is the last expectation of a module.
bool CheckOrder(const std::vector<SExpectation>& found, std::string& fault)
{
    if (found.empty()) {
        fault = "no expectation";
        return false;
    }
    for (size_t k = 0; k + 1 < found.size(); ++k)
        if (!found[k].warning) {
            fault = "line " + std::to_string(found[k + 1].line) + ": an expectation after an error";
            return false;
        }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    int tabSize = 0;
    int first = 1;
    if (argc == 4 && std::strcmp(argv[1], "--tab-size") == 0) {
        tabSize = std::atoi(argv[2]);
        first = 3;
    }
    if (argc != first + 1 || tabSize < 0) {
        std::fprintf(stderr, "usage: vykexpect [--tab-size <n>] <module.vyk>\n");
        return 2;
    }
    const std::string path = argv[first];
    std::string text;
    if (!ReadWholeFile(path, text)) {
        std::fprintf(stderr, "vykexpect: cannot read %s\n", path.c_str());
        return 2;
    }
    std::vector<SExpectation> found;
    std::string fault;
    CExpectationScan scan(text, tabSize);
    if (!scan.Run(found, fault) || !CheckOrder(found, fault)) {
        std::fprintf(stderr, "vykexpect: %s: %s\n", path.c_str(), fault.c_str());
        return 2;
    }
    for (const SExpectation& e : found)
        std::printf("%s (st %d, pos %d): %s\n", e.warning ? "WARNING" : "ERROR", e.line, e.column, e.text.c_str());
    // The texts are written out here, not taken from the compiler: they are what it must print.
    if (found.back().warning) {
        std::printf("Module \"%s\" from \"%s\" - OK\nexit 0\n", scan.moduleName.c_str(), path.c_str());
    } else {
        std::printf("Syntactic analysis of \"%s\" - FAILED\nexit 1\n", path.c_str());
    }
    return 0;
}
