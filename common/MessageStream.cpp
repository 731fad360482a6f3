// The console programs' message stream. A -f file replaced by a later -f is closed at once;
// whether its messages were all written is known only from that close and from the stream's
// error mark, so both are checked.
#include "MessageStream.h"

#include <cstdio>
#include <vector>

namespace {
bool CloseChecked(CTextFile& f)
{
    const bool written = !std::ferror(f.Handle());
    return f.Close() && written;
}

void AppendFormatted(std::string& text, const char* format, va_list args)
{
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length <= 0) return;
    std::vector<char> buffer(size_t(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    text.append(buffer.data(), size_t(length));
}
}  // namespace

void CMessageStream::Printf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    VPrintf(format, args);
    va_end(args);
}

void CMessageStream::VPrintf(const char* format, va_list args)
{
    if (file) file->VPrintf(format, args);
    else ConsoleVPrintf(format, args);
}

void CMessageStream::ConsolePrintf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    ConsoleVPrintf(format, args);
    va_end(args);
    std::fflush(stdout);
}

void CMessageStream::ConsoleVPrintf(const char* format, va_list args)
{
    if (memory) AppendFormatted(*memory, format, args);
    else console.VPrintf(format, args);
}

bool CMessageStream::OpenFile(const std::string& path)
{
    auto next = std::make_unique<CTextFile>();
    if (!next->Open(path, "w")) return false;
    std::fflush(stdout);
    if (file && !CloseChecked(*file)) closeFailed = true;
    file = std::move(next);
    return true;
}

bool CMessageStream::CloseFile()
{
    if (file && !CloseChecked(*file)) closeFailed = true;
    file.reset();
    std::fflush(stdout);
    return !TakeCloseFailure();
}

bool CMessageStream::TakeCloseFailure()
{
    const bool failed = closeFailed;
    closeFailed = false;
    return failed;
}

CMessageCapture::~CMessageCapture()
{
    stream.CloseFile();
    stream.SendConsoleTo(nullptr);
}

std::string CMessageCapture::Take()
{
    std::string taken;
    taken.swap(text);
    return taken;
}
