// The editor's reading of VYK text: one line at a time, as the highlighter needs it, with the
// comment nesting depth carried from line to line. It follows the compiler's lexer rule for
// rule (words from the shared table, numbers, strings, nested comments), so that what the
// editor colours as a word, number or comment is what the compiler reads as one. Where the
// compiler would stop with a lexical error, the offending characters get the style Bad.
#pragma once
#include <vector>

enum class EVykStyle {
    Default,     // blanks, and anything not covered by a span
    Keyword,     // statement and declaration words
    Type,        // names of the basic types
    Constant,    // TRUE, FALSE, NIL
    Procedure,   // standard procedures
    Identifier,
    Number,      // integers, hexadecimal integers, real numbers
    Character,   // character constants (digits with X)
    String,      // the quotes included
    Comment,     // nested comments, the brackets included
    Operator,    // symbols
    Bad          // what the compiler would reject
};

struct SVykSpan {
    int start;   // byte offset in the line
    int length;
    EVykStyle style;
};

// Reads the line s[0..len) (its line end may be included) that starts inside `depth` levels
// of comment, appends its spans in order and returns the comment depth at its end.
int ScanVykLine(const char* s, int len, int depth, std::vector<SVykSpan>& spans);
