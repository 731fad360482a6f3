// The linker's message stream: standard output or the file of switch -f.
#include "MessageStream.h"
#include <cstdarg>

void CMessageStream::Printf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    if (file) file->VPrintf(format, args);
    else console.VPrintf(format, args);
    va_end(args);
}

void CMessageStream::ConsolePrintf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    console.VPrintf(format, args);
    va_end(args);
    std::fflush(stdout);
}

bool CMessageStream::OpenFile(const std::string& path)
{
    auto next = std::make_unique<CTextFile>();
    if (!next->Open(path, "w")) return false;
    if (file && !file->Close()) closeFailed = true;
    file = std::move(next);
    return true;
}

bool CMessageStream::CloseFile()
{
    if (file && !file->Close()) closeFailed = true;
    file.reset();
    std::fflush(stdout);
    return !closeFailed;
}
