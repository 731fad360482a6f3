// The texts of the four support files. Each file is written completely and closed before the
// next one is opened; a pair stops at its first file that cannot be opened or closed.
#include "SupportFiles.h"

#include "Messages.h"
#include "Output.h"
#include "TextFile.h"
#include "CppIdent.h"

namespace {
const char* const kSysHeaderPath = "CPP/_VYK_sys.h";
const char* const kSysSourcePath = "CPP/_VYK_sys.cpp";
const char* const kMainHeaderPath = "CPP/_VYK_main.h";
const char* const kMainSourcePath = "CPP/_VYK_main.cpp";

const char* const kSysHeaderLines[] = {
    "#include <string.h>",
    "#include <stdlib.h>",
    "#include <ctype.h>",
    "#include <math.h>",
    "#include \"_VYK_ppp.h\"\n",
    "long MOD(const long x, const long y);",
    "int ORD(const char ch);",
    "void COPY(const char *x, const int x_size, char *v, const int v_size);",
    "int VYK_SET_RANGE(const int l, const int h);\n",
    // Local procedures (std::function), exact DIV and ASH, characters passed as strings, and
    // arrays made by NEW that keep their lengths in front of their elements.
    "#include <functional>",
    "#include <initializer_list>",
    "#include <new>",
    "long VYK_DIV(const long x, const long y);",
    "long VYK_ASH(const long x, const long n);",
    "struct VYK_CHARSTR {",
    "\tchar s[2];",
    "\tVYK_CHARSTR(const char c) : s{c, 0} {}",
    "};",
    "inline long VYK_LEN(const void *p, const int dim) {",
    "\treturn static_cast<const long*>(p)[-1 - dim];",
    "}",
    "template <class T> T* VYK_NEW_OPEN(std::initializer_list<long> lengths) {",
    "\tlong count = 1;",
    "\tfor (long n : lengths) count *= n;",
    "\tconst size_t align = alignof(T) > sizeof(long) ? alignof(T) : sizeof(long);",
    "\tconst size_t head = (lengths.size() * sizeof(long) + align - 1) / align * align;",
    "\tchar *raw = static_cast<char*>(::operator new(head + sizeof(T) * size_t(count)));",
    "\tT *data = reinterpret_cast<T*>(raw + head);",
    "\tlong *len = reinterpret_cast<long*>(static_cast<void*>(data));",
    "\tint dim = 0;",
    "\tfor (long n : lengths) len[-1 - dim++] = n;",
    "\tfor (long i = 0; i < count; ++i) new (data + i) T();",
    "\treturn data;",
    "}\n",
};

const char* const kSysSourceLines[] = {
    "#include <math.h>\n",
    "long MOD(const long x, const long y) {",
    "\tconst long r = x % y;",
    "\treturn (r != 0 && (r < 0) != (y < 0)) ? r + y : r;",
    "}\n",
    "long VYK_DIV(const long x, const long y) {",
    "\tconst long q = x / y;",
    "\treturn (x % y != 0 && (x < 0) != (y < 0)) ? q - 1 : q;",
    "}\n",
    "long VYK_ASH(const long x, const long n) {",
    "\tif (n >= 64) return 0;",
    "\tif (n <= -64) return x < 0 ? -1 : 0;",
    "\treturn n >= 0 ? long((unsigned long)x << n) : x >> -n;",
    "}\n",
    "int ORD(const char ch) {",
    "\treturn (ch < 0) ? (ch + 256) : ch;",
    "}\n",
    "void COPY(const char *x, const int x_size, char *v, const int v_size) {",
    "\tint min = x_size;",
    "\tif (v_size < x_size) min = v_size;",
    "\tfor (int i = 0; i <= min-2; i++) v[i] = x[i];",
    "\tv[min-1] = 0;",
    "}\n",
    "int VYK_SET_RANGE(const int l, const int h) {",
    "\tint res = 0;",
    "\tfor (int i = l; i <= h; i++) res |= 1 << i;",
    "\treturn res;\n}",
};

bool OpenSupportFile(CTextFile& file, const char* path, COutputFiles* outputs)
{
    if (outputs ? outputs->Open(file, path) : file.Open(path, "w")) {
        file.Printf("%s// %s //\n%s\n", kRuleLine, kGeneratedNotice, kRuleLine);
        return true;
    }
    Msg(msg::kCannotOpenForWriting, path);
    return false;
}

bool CloseSupportFile(CTextFile& file, const char* path)
{
    if (file.Close()) return true;
    Msg(msg::kCannotCloseFile, path);
    return false;
}

template <size_t N>
void WriteLines(CTextFile& file, const char* const (&lines)[N])
{
    for (const char* line : lines) file.Printf("%s\n", line);
}

bool WriteSysHeader(COutputFiles* outputs)
{
    CTextFile file;
    if (!OpenSupportFile(file, kSysHeaderPath, outputs)) return false;
    file.Printf("#ifndef VYK_H_FILE__VYK_sys\n#define VYK_H_FILE__VYK_sys\n\n");
    WriteLines(file, kSysHeaderLines);
    file.Printf("#endif\n");
    return CloseSupportFile(file, kSysHeaderPath);
}

bool WriteSysSource(COutputFiles* outputs)
{
    CTextFile file;
    if (!OpenSupportFile(file, kSysSourcePath, outputs)) return false;
    WriteLines(file, kSysSourceLines);
    return CloseSupportFile(file, kSysSourcePath);
}

bool WriteMainHeader(const std::string& mainModule, COutputFiles* outputs)
{
    CTextFile file;
    if (!OpenSupportFile(file, kMainHeaderPath, outputs)) return false;
    file.Printf("#ifndef VYK_H_FILE__VYK_main\n");
    file.Printf("#define VYK_H_FILE__VYK_main\n\n");
    file.Printf("#include \"%s.h\"\n\n", mainModule.c_str());
    file.Printf("void %smain_init();\n\n", kSysPrefix);
    file.Printf("#endif\n");
    return CloseSupportFile(file, kMainHeaderPath);
}

bool WriteMainSource(const std::string& mainModule, COutputFiles* outputs)
{
    CTextFile file;
    if (!OpenSupportFile(file, kMainSourcePath, outputs)) return false;
    file.Printf("#include \"%s.h\"\n#include \"_VYK_ppp.cpp\"\n\n", mainModule.c_str());
    file.Printf("void %smain_init() {\n", kSysPrefix);
    file.Printf("\t%s::%s%s();\n}\n", CppId(mainModule).c_str(), kSysPrefix, mainModule.c_str());
    return CloseSupportFile(file, kMainSourcePath);
}
}  // namespace

bool WriteSupportFiles(const std::string& mainModule, COutputFiles* outputs)
{
    if (!WriteSysHeader(outputs) || !WriteSysSource(outputs)) return false;
    return WriteMainHeader(mainModule, outputs) && WriteMainSource(mainModule, outputs);
}
