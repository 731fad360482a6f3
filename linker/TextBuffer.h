// Text built in memory with formatted printing. The linker composes both generated files in
// buffers and writes them out only once all of the text exists.
#pragma once
#include <string>

class CTextBuffer {
public:
    void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void Write(const std::string& s) { text += s; }
    const std::string& Text() const { return text; }

private:
    std::string text;
};
