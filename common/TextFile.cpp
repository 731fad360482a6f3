// The RAII text file of the console programs.
#include "TextFile.h"

bool CTextFile::Open(const std::string& path, const char* mode)
{
    Close();
    f = std::fopen(path.c_str(), mode);
    owned = f != nullptr;
    return f != nullptr;
}

bool CTextFile::Close()
{
    if (!f) return true;
    bool ok;
    if (owned) ok = std::fclose(f) == 0;
    else ok = std::fflush(f) == 0;
    f = nullptr;
    owned = false;
    return ok;
}

void CTextFile::Printf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    VPrintf(format, args);
    va_end(args);
}

void CTextFile::VPrintf(const char* format, va_list args)
{
    if (f) std::vfprintf(f, format, args);
}

void CTextFile::Write(const std::string& text)
{
    if (f) std::fwrite(text.data(), 1, text.size(), f);
}

bool ReadWholeFile(const std::string& path, std::string& text)
{
    FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) return false;
    text.clear();
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, in)) > 0) text.append(buf, n);
    bool ok = !std::ferror(in);
    ok = std::fclose(in) == 0 && ok;
    return ok;
}
