// Output files written beside their places and moved in at the end of a successful run (see
// OutputFiles.h). The temporary name is the place's name with "~<process id>" and, when that
// is taken, a counter appended; it is created exclusively, with the mode of the file it replaces.
#include "OutputFiles.h"

#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const int kMaxNameTries = 100;

bool SameText(const std::string& temporary, const std::string& path)
{
    struct stat a, b;
    if (stat(temporary.c_str(), &a) != 0 || stat(path.c_str(), &b) != 0) return false;
    if (!S_ISREG(b.st_mode) || a.st_size != b.st_size) return false;
    std::string oldText, newText;
    return ReadWholeFile(path, oldText) && ReadWholeFile(temporary, newText) && oldText == newText;
}

}  // namespace

bool COutputFiles::Open(CTextFile& file, const std::string& path)
{
    struct stat old;
    const bool exists = stat(path.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        if (!file.Open(path, "w")) return false;
        entries.push_back({path, std::string()});
        return true;
    }
    if (exists && access(path.c_str(), W_OK) != 0) return false;
    const std::string base = path + "~" + std::to_string(getpid());
    for (int n = 0; n < kMaxNameTries; ++n) {
        std::string temporary = n == 0 ? base : base + "-" + std::to_string(n);
        if (file.Open(temporary, "wx")) {
            if (exists) fchmod(fileno(file.Handle()), old.st_mode & 07777);
            entries.push_back({path, std::move(temporary)});
            return true;
        }
        struct stat taken;
        if (lstat(temporary.c_str(), &taken) != 0) return false;   // the folder refused it
    }
    return false;
}

bool COutputFiles::Commit(std::string& failedPath)
{
    for (CEntry& e : entries) {
        if (e.temporary.empty()) continue;
        if (SameText(e.temporary, e.path)) {
            std::remove(e.temporary.c_str());
        } else if (std::rename(e.temporary.c_str(), e.path.c_str()) != 0) {
            failedPath = e.path;
            Discard();
            return false;
        }
        e.temporary.clear();
    }
    entries.clear();
    return true;
}

void COutputFiles::Discard()
{
    for (const CEntry& e : entries)
        if (!e.temporary.empty()) std::remove(e.temporary.c_str());
    entries.clear();
}
