// The switch table and the walk over a command line shared by the console programs.
#include "Switches.h"

#include <cctype>

#include "Console.h"

bool CSwitchTable::IsSwitch(const std::string& arg) const
{
    if (arg.empty()) return false;
    if (arg[0] == '-') return true;
    return arg[0] == '/' && Find(arg) != nullptr;
}

const SSwitch* CSwitchTable::Find(const std::string& arg) const
{
    std::string name;
    for (size_t i = 1; i < arg.size(); ++i) name += char(std::tolower((unsigned char)arg[i]));
    for (const SSwitch& s : switches)
        if (name == s.name) return &s;
    return nullptr;
}

EScanStep ScanSwitches(const std::vector<std::string>& args, const CSwitchTable& table, CMessageStream& out,
                       const std::function<EScanStep(int id, const std::string& value)>& take)
{
    for (size_t i = 0; i < args.size(); ++i) {
        if (!table.IsSwitch(args[i])) continue;
        const SSwitch* s = table.Find(args[i]);
        if (!s) {
            out.Printf(console::kUnknownOption, args[i].c_str());
            return EScanStep::error;
        }
        if (s->TakesValue() && i + 1 >= args.size()) {
            out.Printf("%s", s->missingValue);
            return EScanStep::error;
        }
        const std::string value = s->TakesValue() ? args[++i] : std::string();
        EScanStep step = take(s->id, value);
        if (step != EScanStep::next) return step;
    }
    return EScanStep::next;
}
