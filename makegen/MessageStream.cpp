// Vygen's message stream. A -f file replaced by a later -f is closed at once; every failed
// close of such a file is reported on standard output once the run ends.
#include "MessageStream.h"
#include "Messages.h"

void CVygenMessages::Printf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    (file ? *file : console).VPrintf(format, args);
    va_end(args);
}

bool CVygenMessages::OpenFile(const std::string& path)
{
    auto next = std::make_unique<CTextFile>();
    if (!next->Open(path, "w")) return false;
    if (file && !file->Close()) closeFailed = true;
    file = std::move(next);
    return true;
}

bool CVygenMessages::CloseFile()
{
    if (file) {
        bool written = !std::ferror(file->Handle());
        if (!file->Close() || !written) closeFailed = true;
        file.reset();
    }
    if (closeFailed) console.Printf(genmsg::kCannotCloseMessageFile);
    console.Close();
    return !closeFailed;
}
