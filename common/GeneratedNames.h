// The invented C++ names that the compiler and the linker must spell alike. The compiler writes
// their uses into a module's C++ text (a member of a specialization, the dispatch call of a
// common procedure, a handler's definition); the linker writes their declarations into
// _VYK_ppp.h/.cpp from the link descriptions. Both build them here, so they cannot drift apart.
#pragma once
#include <optional>
#include <string>

namespace vykname {

// The suffix that names one specialization of a common type: its tag in a CASE tagged by
// values, "<module>_<type>" in a CASE tagged by types (the module that declares the type).
std::string SpecSuffix(const std::optional<std::string>& tag, const std::string& module, const std::string& type);
// The declaring module of a type-tagged specialization, read back from its suffix and type name.
std::string SpecSuffixModule(const std::string& suffix, const std::string& type);

// Members of a common type's structure for the specialization with `suffix`.
std::string SpecPointer(const std::string& suffix);   // VYK_SPEC_<suffix>: the union member
std::string SpecIdConst(const std::string& suffix);   // VYK_SID_<suffix>: its id
std::string SpecInit(const std::string& suffix);      // VYK_INIT_<suffix>: the constructor's helper
std::string SpecFree(const std::string& suffix);      // VYK_FREE_<suffix>: the destructor's helper

// VYK_COMMON_<module>_<name>: the function that selects the handler of a common procedure.
std::string DispatchFunction(const std::string& module, const std::string& name);
// VYK_TABLE_<module>_<name>: its handler table.
std::string DispatchTable(const std::string& module, const std::string& name);
// VYK_HANDLER_<name>_<uid>: a handler of the common procedure `name`, in its module's namespace.
std::string HandlerFunction(const std::string& name, const std::string& uid);
std::string HandlerFunction(const std::string& name, int uid);

}  // namespace vykname
