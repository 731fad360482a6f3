#include "Switches.h"

#include <cctype>

bool IsSwitchArgument(const std::string& arg, std::initializer_list<const char*> switches)
{
    if (arg.empty()) return false;
    if (arg[0] == '-') return true;
    if (arg[0] != '/') return false;
    std::string name;
    for (size_t i = 1; i < arg.size(); ++i) name += char(std::tolower((unsigned char)arg[i]));
    for (const char* known : switches)
        if (name == known) return true;
    return false;
}
