// Spelling of VYK identifiers in the generated C++ text.
// A VYK identifier is letters and digits only. Names that C++ reserves (keywords, alternative
// tokens), names that the compilers predefine as macros (linux, unix) and names that the C headers
// of the generated code declare at global scope (index, log, time, exit, strcmp, ...) are written
// with a trailing underscore: new -> new_, index -> index_. No VYK identifier contains an
// underscore and every invented identifier starts with "VYK_", so the escaped spelling never meets
// another name. Every writer uses CppId wherever a declared name stands alone in the C++ text;
// invented names built around a declared name (VYK_ARR_0_<name>, VYK_UNNM_<name>) keep it as is.
#pragma once
#include <string>

// True when `name` must not be written unchanged into the C++ text.
bool IsCppReserved(const std::string& name);
// The C++ spelling of a VYK identifier.
std::string CppId(const std::string& name);
