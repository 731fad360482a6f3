// The reserved-word table shared by the compiler's lexer and the editor's highlighter.
#include "VykWords.h"

#include <cstring>

namespace {
constexpr EWordGroup St = EWordGroup::Statement;
constexpr EWordGroup Ty = EWordGroup::Type;
constexpr EWordGroup Co = EWordGroup::Constant;
constexpr EWordGroup Pr = EWordGroup::StandardProcedure;
}  // namespace

const SVykWord kVykWords[kVykWordCount] = {
    {"BY", St}, {"DO", St}, {"IF", St}, {"IN", St}, {"IS", St}, {"OF", St}, {"OR", St}, {"TO", St},
    {"DIV", St}, {"END", St}, {"FOR", St}, {"MOD", St}, {"NIL", Co}, {"VAR", St}, {"ABS", Pr},
    {"ASH", Pr}, {"CAP", Pr}, {"CHR", Pr}, {"DEC", Pr}, {"INC", Pr}, {"LEN", Pr}, {"MAX", Pr},
    {"MIN", Pr}, {"NEW", Pr}, {"ODD", Pr}, {"ORD", Pr}, {"SET", Ty}, {"CASE", St}, {"ELSE", St},
    {"EXIT", St}, {"LOOP", St}, {"THEN", St}, {"TYPE", St}, {"WITH", St}, {"CHAR", Ty},
    {"COPY", Pr}, {"EXCL", Pr}, {"HALT", Pr}, {"INCL", Pr}, {"LONG", Pr}, {"REAL", Ty},
    {"SIZE", Pr}, {"TRUE", Co}, {"BEGIN", St}, {"CONST", St}, {"ELSIF", St}, {"ARRAY", St},
    {"UNTIL", St}, {"WHILE", St}, {"FALSE", Co}, {"LOCAL", St}, {"SHORT", Pr}, {"ASSERT", Pr},
    {"IMPORT", St}, {"MODULE", St}, {"RECORD", St}, {"REPEAT", St}, {"RETURN", St},
    {"ENTIER", Pr}, {"POINTER", St}, {"BOOLEAN", Ty}, {"INTEGER", Ty}, {"LONGINT", Ty},
    {"LONGREAL", Ty}, {"SHORTINT", Ty}, {"PROCEDURE", St}, {"DEFINITION", St}};

int FindVykWord(const char* s, int n)
{
    for (int i = 0; i < kVykWordCount; ++i)
        if (std::strncmp(kVykWords[i].text, s, size_t(n)) == 0 && kVykWords[i].text[n] == '\0')
            return kVykFirstWordCode + i;
    return 0;
}
