// The linker's message stream: standard output or the file of switch -f.
#include "MessageStream.h"
#include <cstdarg>

// A write that failed earlier may have left nothing for the close itself to fail on.
static bool CloseChecked(CTextFile& f)
{
    const bool written = !std::ferror(f.Handle());
    return f.Close() && written;
}

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
    if (file && !CloseChecked(*file)) closeFailed = true;
    file = std::move(next);
    return true;
}

bool CMessageStream::CloseFile()
{
    if (file && !CloseChecked(*file)) closeFailed = true;
    file.reset();
    std::fflush(stdout);
    return !closeFailed;
}
