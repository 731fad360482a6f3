// The reserved words of VYK, in the order of their symbol codes (BY is code 35, DEFINITION
// code 101). The compiler's lexer builds its word lookup from this table and the project
// manager's editor highlights from it, so the two can never disagree on what is reserved.
// The group only matters to the editor, which colours types, constants and standard
// procedures apart from the statement and declaration words.
#pragma once

enum class EWordGroup { Statement, Type, Constant, StandardProcedure };

struct SVykWord {
    const char* text;
    EWordGroup group;
};

inline constexpr int kVykFirstWordCode = 35;
inline constexpr int kVykWordCount = 67;
extern const SVykWord kVykWords[kVykWordCount];

// The symbol code of the reserved word s[0..n), or 0 when it is none.
int FindVykWord(const char* s, int n);
