// Finding the library archive and telling which modules of a program it holds. Folders are
// compared by their real paths, so a symbolic link or a "/./" in an import folder still
// matches the folder the archive was built from.
#include "LibraryArchive.h"

#include <climits>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace {

std::string RealFolder(const std::string& folder)
{
    std::unique_ptr<char, decltype(&std::free)> real(realpath(folder.c_str(), nullptr), &std::free);
    if (!real) return std::string();
    std::string text = real.get();
    if (text.empty() || text.back() != '/') text += '/';
    return text;
}

std::string ExecutableFolder()
{
    std::string buffer(PATH_MAX, '\0');
    ssize_t length = readlink("/proc/self/exe", &buffer[0], buffer.size());
    if (length <= 0 || size_t(length) >= buffer.size()) return std::string();
    buffer.resize(size_t(length));
    size_t slash = buffer.rfind('/');
    return slash == std::string::npos ? std::string() : buffer.substr(0, slash + 1);
}

}  // namespace

bool CLibraryArchive::Holds(const CModuleEntry& entry, const std::string& baseFolder) const
{
    if (archive.empty() || entry.path.empty() || modules.count(entry.name) == 0) return false;
    std::string path = entry.path[0] == '/' ? entry.path : baseFolder + entry.path;
    std::string real = RealFolder(path);
    return !real.empty() && real == RealFolder(folder);
}

bool ReadLibraryArchive(const std::string& folder, CLibraryArchive& library)
{
    library = CLibraryArchive();
    std::string base = RealFolder(folder);
    if (base.empty()) return false;
    std::ifstream list(base + kLibraryListName);
    std::string line;
    if (!list || !std::getline(list, line) || line.empty()) return false;
    if (access((base + kLibraryArchiveName).c_str(), R_OK) != 0) return false;
    library.folder = line;
    while (std::getline(list, line))
        if (!line.empty()) library.modules.insert(line);
    library.archive = base + kLibraryArchiveName;
    return true;
}

bool FindToolchainLibrary(CLibraryArchive& library)
{
    std::string bin = ExecutableFolder();
    return !bin.empty() && ReadLibraryArchive(bin + "../lib/", library);
}
