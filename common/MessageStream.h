// The message stream of the console programs: standard output until switch -f names a file,
// then that file. Banner, usage, version line and every message of a run go through it.
// Tests give it a string instead of standard output (CMessageCapture) and read what it wrote.
#pragma once
#include <cstdarg>
#include <memory>
#include <string>
#include "TextFile.h"

class CMessageStream {
public:
    CMessageStream() : console(stdout) {}
    CMessageStream(const CMessageStream&) = delete;
    CMessageStream& operator=(const CMessageStream&) = delete;

    void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void VPrintf(const char* format, va_list args);
    // Writes to standard output (or the test's string) whatever the current stream is.
    void ConsolePrintf(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Opens `path` (truncating) as the stream from now on; false, and the stream unchanged, on
    // failure. A -f file it replaces is closed, and a failed close of it is remembered.
    bool OpenFile(const std::string& path);
    // Closes the -f file when one is open; false when that close (or an earlier one) failed.
    bool CloseFile();
    // True when closing a replaced -f file failed since the last call; for a program that
    // reports that at once rather than when the run ends.
    bool TakeCloseFailure();

    // Sends what would go to standard output into `sink` from now on; nullptr sends it back.
    void SendConsoleTo(std::string* sink) { memory = sink; }

private:
    void ConsoleVPrintf(const char* format, va_list args);

    CTextFile console;
    std::unique_ptr<CTextFile> file;   // the -f file, when one is open
    std::string* memory = nullptr;     // the test's string in place of standard output
    bool closeFailed = false;
};

// For tests: while it lives, what `stream` writes to standard output is kept in Text().
// A -f file the test left open is closed when it ends.
class CMessageCapture {
public:
    explicit CMessageCapture(CMessageStream& stream) : stream(stream) { stream.SendConsoleTo(&text); }
    ~CMessageCapture();
    CMessageCapture(const CMessageCapture&) = delete;
    CMessageCapture& operator=(const CMessageCapture&) = delete;

    const std::string& Text() const { return text; }
    // The text written since the last call.
    std::string Take();

private:
    CMessageStream& stream;
    std::string text;
};
