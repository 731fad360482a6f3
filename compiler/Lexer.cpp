// The lexer: turns a file into the token list of a CLexBuf (stub until the scanner lands).
#include "Lexer.h"

#include "Diagnostics.h"
#include "Messages.h"

std::unique_ptr<CLexBuf> CLexBuf::Tokenize(const std::string& path, int)
{
    Msg(msg::kCannotOpenForReading, path.c_str());
    return nullptr;
}

std::unique_ptr<CLexBuf> CLexBuf::TokenizeText(const std::string&, const std::string&, int)
{
    return nullptr;
}

const char* SymbolSpelling(int) { return ""; }

int32_t CLexBuf::ColumnOf(int32_t index) const { return int32_t(At(index).column); }

bool CLexBuf::NextSymbol(int& code, const char*& text)
{
    while (pos.cursor < tokenCount) {
        const SToken& t = At(pos.cursor);
        if (t.code == symEOL) {
            ++pos.line;
            ++pos.cursor;
            continue;
        }
        code = int(t.code);
        text = TextAt(t.text);
        pos.column = ColumnOf(pos.cursor);
        ++pos.cursor;
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
