// The process-wide message stream: standard output, or the -f file while one is open.
#include "front/Messages.h"

#include <cstdarg>
#include <cstdio>
#include <memory>

namespace {
CTextFile& StdoutStream()
{
    static CTextFile out(stdout);
    return out;
}

std::unique_ptr<CTextFile>& FileStream()
{
    static std::unique_ptr<CTextFile> file;
    return file;
}
} // namespace

CTextFile& MsgStream()
{
    return FileStream() ? *FileStream() : StdoutStream();
}

void Msg(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    MsgStream().VPrintf(format, args);
    va_end(args);
}

bool SetMessageFile(const std::string& path, bool& closedOk)
{
    closedOk = true;
    auto next = std::make_unique<CTextFile>();
    if (!next->Open(path, "w")) return false;
    std::fflush(stdout);
    if (FileStream()) closedOk = FileStream()->Close();
    FileStream() = std::move(next);
    return true;
}

bool CloseMessageFile()
{
    if (!FileStream()) return true;
    bool ok = FileStream()->Close();
    FileStream().reset();
    return ok;
}
