// A text file written with formatted printing, closed on every path.
// The console programs write all their output files and their message stream through it,
// so printf-style formats keep the generated texts byte-exact.
#pragma once
#include <cstdarg>
#include <cstdio>
#include <string>

class CTextFile {
public:
    CTextFile() = default;
    explicit CTextFile(FILE* borrowed) : f(borrowed), owned(false) {}
    ~CTextFile() { Close(); }
    CTextFile(const CTextFile&) = delete;
    CTextFile& operator=(const CTextFile&) = delete;

    // Opens `path` with the C library mode ("w", "r", ...); false when it cannot be opened.
    bool Open(const std::string& path, const char* mode);
    // Closes an owned file; false when the close failed. Borrowed streams are only flushed.
    bool Close();
    bool IsOpen() const { return f != nullptr; }
    FILE* Handle() const { return f; }

    void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void VPrintf(const char* format, va_list args);
    void Write(const std::string& text);

private:
    FILE* f = nullptr;
    bool owned = false;
};

// Reads a whole file into `text`; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& text);
