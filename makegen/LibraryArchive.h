// The standard library built once with the toolchain: an archive of its modules' objects and,
// beside it, a list naming the folder of their sources and the modules it holds. Target 4
// links a module from the archive when the build description takes it from that folder.
#pragma once
#include <set>
#include <string>
#include "BuildDescription.h"

// The list beside the archive: the first line is the library's source folder (with its final
// '/'), every further line the name of one module in the archive.
inline constexpr char kLibraryListName[] = "vyklib.txt";
inline constexpr char kLibraryArchiveName[] = "libvyk.a";

struct CLibraryArchive {
    std::string archive;            // absolute path of the archive; empty when there is none
    std::string folder;             // the library's source folder as the list names it
    std::set<std::string> modules;  // the modules in the archive

    // True when `entry`, whose relative Path is taken from `baseFolder` (the makefile's
    // folder), is one of the archive's modules from the library's source folder.
    bool Holds(const CModuleEntry& entry, const std::string& baseFolder) const;
};

// Reads the list of `folder` (the archive's folder) into `library`; false when there is no
// readable list or no archive beside it, and `library` is then empty.
bool ReadLibraryArchive(const std::string& folder, CLibraryArchive& library);

// The archive of the toolchain that this program belongs to: lib/ beside the folder of the
// running executable (bin/), as the toolchain's build lays them out.
bool FindToolchainLibrary(CLibraryArchive& library);
