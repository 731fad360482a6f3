// The rules for values from project files, build descriptions and link descriptions, and the
// quoting of folders for makefiles (see ProjectValues.h).
#include "ProjectValues.h"

#include <cstring>

namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }

const char kFileNameRefused[] = "/\\\"'`$#%;:*?<>|=()[]{}";

// Characters that a backslash escapes inside double quotes in sh.
bool EscapedByBackslash(char c) { return c == '$' || c == '`' || c == '"' || c == '\\'; }

}  // namespace

bool IsModuleName(const std::string& name)
{
    if (name.empty() || !(IsAsciiLetter(name[0]) || name[0] == '_')) return false;
    for (char c : name)
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '_') return false;
    return true;
}

bool IsPlainFileName(const std::string& name)
{
    if (name.empty() || name.find("..") != std::string::npos) return false;
    for (char c : name)
        if (c == '\0' || IsControl(c) || std::strchr(kFileNameRefused, c)) return false;
    return true;
}

bool IsQuotableFolder(const std::string& folder)
{
    for (char c : folder)
        if (IsControl(c) || c == '"') return false;
    return true;
}

std::string ShownValue(const std::string& value)
{
    std::string out = value;
    for (char& c : out)
        if (IsControl(c)) c = '?';
    return out;
}

std::string QuoteForShellRecipe(const std::string& value, char next)
{
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        char after = i + 1 < value.size() ? value[i + 1] : next;
        if (c == '$') out += "\\$$";
        else if (c == '`' || c == '"') (out += '\\') += c;
        else if (c == '\\' && (EscapedByBackslash(after) || after == '\0')) out += "\\\\";
        else out += c;
    }
    return out;
}

std::string QuoteForNmake(const std::string& value)
{
    std::string out;
    for (char c : value) {
        if (c == '$') out += "$$";
        else if (c == '#' || c == '^') (out += '^') += c;
        else out += c;
    }
    return out;
}
