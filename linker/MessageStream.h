// The linker's message stream: standard output until switch -f names a file, then that file.
// Banner, usage, version line and every message of a run go through it.
#pragma once
#include <cstdio>
#include <memory>
#include <string>
#include "TextFile.h"

class CMessageStream {
public:
    CMessageStream() : console(stdout) {}

    void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Opens `path` (truncating) as the stream from now on; false, and the stream unchanged, on failure.
    bool OpenFile(const std::string& path);
    // Closes the -f file when one is open; false when that close (or an earlier one) failed.
    bool CloseFile();
    // Writes to standard output whatever the current stream is.
    void ConsolePrintf(const char* format, ...) __attribute__((format(printf, 2, 3)));

private:
    CTextFile console;
    std::unique_ptr<CTextFile> file;   // the -f file, when one is open
    bool closeFailed = false;
};
