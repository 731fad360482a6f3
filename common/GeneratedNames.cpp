// The invented C++ names shared by the compiler and the linker (see GeneratedNames.h).
#include "GeneratedNames.h"

namespace vykname {

std::string SpecSuffix(const std::optional<std::string>& tag, const std::string& module, const std::string& type)
{
    if (tag) return *tag;
    return module + "_" + type;
}

std::string SpecSuffixModule(const std::string& suffix, const std::string& type)
{
    const size_t separated = type.size() + 1;
    return suffix.size() >= separated ? suffix.substr(0, suffix.size() - separated) : std::string();
}

std::string SpecPointer(const std::string& suffix) { return "VYK_SPEC_" + suffix; }
std::string SpecIdConst(const std::string& suffix) { return "VYK_SID_" + suffix; }
std::string SpecInit(const std::string& suffix) { return "VYK_INIT_" + suffix; }
std::string SpecFree(const std::string& suffix) { return "VYK_FREE_" + suffix; }

std::string DispatchFunction(const std::string& module, const std::string& name)
{
    return "VYK_COMMON_" + module + "_" + name;
}

std::string DispatchTable(const std::string& module, const std::string& name)
{
    return "VYK_TABLE_" + module + "_" + name;
}

std::string HandlerFunction(const std::string& name, const std::string& uid)
{
    return "VYK_HANDLER_" + name + "_" + uid;
}

std::string HandlerFunction(const std::string& name, int uid) { return HandlerFunction(name, std::to_string(uid)); }

}  // namespace vykname
