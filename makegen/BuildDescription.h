// The part of the build description `_VYK_make.vym` that a makefile needs: the main module,
// the executable name and the modules to compile besides the main module, in document order.
#pragma once
#include <string>
#include <vector>
#include "MessageStream.h"

struct CModuleEntry {
    std::string name;
    std::string path;   // folder prefix with its trailing separator; empty for the project's own folder
};

struct CBuildDescription {
    std::string mainModule;
    std::string executable;              // defaults to the main module
    std::vector<CModuleEntry> modules;   // the File entries, the main module left out
};

// Reads `path` into `description`. On failure the reason is written to `messages` (the FAILED
// line is the caller's) and false is returned.
bool ReadBuildDescription(const std::string& path, CBuildDescription& description, CMessageStream& messages);
