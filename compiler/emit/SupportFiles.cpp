// The texts of the four support files. Each file is written completely and closed before the
// next one is opened; a pair stops at its first file that cannot be opened or closed.
#include "emit/SupportFiles.h"

#include <cstring>
#include <utility>

#include "front/Messages.h"
#include "emit/Output.h"
#include "TextFile.h"
#include "CppIdent.h"
#include "lib/SYSTEM.h"

namespace {
const char* const kSysHeaderPath = "CPP/_VYK_sys.h";
const char* const kSysSourcePath = "CPP/_VYK_sys.cpp";
const char* const kMainHeaderPath = "CPP/_VYK_main.h";
const char* const kMainSourcePath = "CPP/_VYK_main.cpp";

// GCC is asked for two's-complement wrapping of signed integers in everything the generated
// files hold; it comes first so that every inline function after it is compiled the same way.
const char* const kWrapLines[] = {
    "#if defined(__GNUC__) && !defined(__clang__)",
    "#pragma GCC optimize (\"wrapv\")",
    "#endif",
};

// Only light headers here: every generated file includes this one. A module that uses the
// heavy ones (<math.h>, <functional>) includes them itself (Output.cpp).
const char* const kSysHeaderLines[] = {
    "#include <string.h>",
    "#include <stdlib.h>",
    "#include <ctype.h>",
    "#include \"_VYK_ppp.h\"\n",
    // The traps end the program with a message; the library defines them.
    "[[noreturn]] void VYK_TRAP(const int trap, const char *at);",
    "[[noreturn]] void VYK_ASSERT_TRAP(const int code, const char *at);\n",
};

// Type descriptors of records: lib/SYSTEM.h holds the same text (the library's records need it
// without the support header), and whichever comes first in a file defines it.
#define VYK_TYPE_DESCRIPTOR_TEXT \
    "// A record type's descriptor: its extension level and its base types by level, the\n" \
    "// last being the type itself; one per type in the whole program. Every record\n" \
    "// reaches its own through VYK_DESC(), so a type test is a load and a compare.\n" \
    "#ifndef VYK_TYPE_DESCRIPTORS\n" \
    "#define VYK_TYPE_DESCRIPTORS\n" \
    "struct VYK_TYPEDESC {\n" \
    "\tlong level;\n" \
    "\tconst VYK_TYPEDESC* const* base;\n" \
    "};\n" \
    "template <class T, long L, bool = (T::VYK_LEVEL == L)> struct VYK_BASE_AT {typedef T type;};\n" \
    "template <class T, long L> struct VYK_BASE_AT<T, L, false> {\n" \
    "\ttypedef typename VYK_BASE_AT<typename T::VYK_BASE, L>::type type;\n" \
    "};\n" \
    "// The levels 0..N-1 as a parameter pack (the standard one costs a heavy header).\n" \
    "template <size_t... L> struct VYK_SEQ {};\n" \
    "template <size_t N, size_t... L> struct VYK_MAKE_SEQ : VYK_MAKE_SEQ<N - 1, N - 1, L...> {};\n" \
    "template <size_t... L> struct VYK_MAKE_SEQ<0, L...> {typedef VYK_SEQ<L...> type;};\n" \
    "template <class T, class = typename VYK_MAKE_SEQ<T::VYK_LEVEL + 1>::type> struct VYK_TD;\n" \
    "template <class T, size_t... L> struct VYK_TD<T, VYK_SEQ<L...>> {\n" \
    "\tstatic const VYK_TYPEDESC* const base[sizeof...(L)];\n" \
    "\tstatic const VYK_TYPEDESC d;\n" \
    "};\n" \
    "template <class T, size_t... L> const VYK_TYPEDESC* const VYK_TD<T, VYK_SEQ<L...>>::base[sizeof...(L)] =\n" \
    "\t{&VYK_TD<typename VYK_BASE_AT<T, long(L)>::type>::d...};\n" \
    "template <class T, size_t... L> const VYK_TYPEDESC VYK_TD<T, VYK_SEQ<L...>>::d =\n" \
    "\t{long(sizeof...(L)) - 1, base};\n" \
    "// p IS T: false for NIL.\n" \
    "template <class T, class S> inline bool VYK_IS(S *p) {\n" \
    "\tif (!p) return false;\n" \
    "\tconst VYK_TYPEDESC *t = p->VYK_DESC();\n" \
    "\treturn t->level >= T::VYK_LEVEL && t->base[T::VYK_LEVEL] == &VYK_TD<T>::d;\n" \
    "}\n" \
    "#endif\n"

// The arithmetic helpers, inline so that the optimiser sees through them: a DIV or MOD by a
// constant power of two is an arithmetic shift or a mask (both round toward minus infinity, as
// DIV and MOD do; GCC shifts signed values arithmetically). By any other positive constant the
// plain quotient or remainder, one less or y more for a negative remainder, stands apart from
// the general case: GCC's inliner weighs each call by what remains once its arguments are
// known, and the general case's size would keep small procedures with a MOD from being
// inlined. Each has a defined result for every argument or traps.
// @DIV_ZERO@ .. are the trap codes: division by zero, DIV overflow, NEW length, NIL, guard.
const char* const kSysHelperText =
    "inline long MOD(const long x, const long y) {\n"
    "#ifdef __GNUC__\n"
    "\tif (__builtin_constant_p(y) && y > 0) {\n"
    "\t\tif ((y & (y - 1)) == 0) return x & (y - 1);\n"
    "\t\tconst long r = x % y;\n"
    "\t\treturn r < 0 ? r + y : r;\n"
    "\t}\n"
    "#endif\n"
    "\tif ((unsigned long)y + 1 <= 1) {\n"
    "\t\tif (y == 0) VYK_TRAP(@DIV_ZERO@, 0);\n"
    "\t\treturn 0;\n"
    "\t}\n"
    "\tconst long r = x % y;\n"
    "\treturn (r != 0 && (r < 0) != (y < 0)) ? r + y : r;\n"
    "}\n"
    "// Both operands of one narrower type (INTEGER MOD INTEGER): the same result in that type,\n"
    "// where the division is cheaper.\n"
    "template <class T> inline T MOD(const T x, const T y) {\n"
    "#ifdef __GNUC__\n"
    "\tif (__builtin_constant_p(y) && y > 0) {\n"
    "\t\tif ((y & (y - 1)) == 0) return T(x & (y - 1));\n"
    "\t\tconst T r = T(x % y);\n"
    "\t\treturn r < 0 ? T(r + y) : r;\n"
    "\t}\n"
    "#endif\n"
    "\tif ((unsigned long)(long(y) + 1) <= 1) return T(MOD(long(x), long(y)));\n"
    "\tconst T r = T(x % y);\n"
    "\treturn (r != 0 && (r < 0) != (y < 0)) ? T(r + y) : r;\n"
    "}\n"
    "inline int ORD(const char ch) {\n"
    "\treturn (unsigned char)ch;\n"
    "}\n"
    "// CAP: a to z become A to Z; every other character stays.\n"
    "inline char VYK_CAP(const char ch) {\n"
    "\treturn (unsigned char)(ch - 'a') < 26 ? char(ch - 'a' + 'A') : ch;\n"
    "}\n"
    "// The string in x up to its 0X, cut to the room of v, and a 0X after it; nothing when v has no room.\n"
    "inline void COPY(const char *x, const int x_size, char *v, const int v_size) {\n"
    "\tconst int room = (v_size < x_size ? v_size : x_size) - 1;\n"
    "\tif (room < 0) return;\n"
    "\tconst size_t n = strnlen(x, size_t(room));\n"
    "\tmemmove(v, x, n);\n"
    "\tv[n] = 0;\n"
    "}\n"
    "// A SET holds the elements 0..31; others are left out of it.\n"
    "inline int VYK_SET_RANGE(const int l, const int h) {\n"
    "\tunsigned res = 0;\n"
    "\tfor (int i = l < 0 ? 0 : l; i <= h && i < 32; i++) res |= 1u << i;\n"
    "\treturn int(res);\n"
    "}\n"
    "inline int VYK_BIT(const long x) {\n"
    "\treturn (unsigned long)x < 32 ? int(1u << x) : 0;\n"
    "}\n\n"
    "#include <initializer_list>\n"
    "#include <new>\n"
    "#include <stdint.h>\n"
    VYK_TYPE_DESCRIPTOR_TEXT
    "inline long VYK_DIV(const long x, const long y) {\n"
    "#ifdef __GNUC__\n"
    "\tif (__builtin_constant_p(y) && y > 0) {\n"
    "\t\tif ((y & (y - 1)) == 0) return x >> __builtin_ctzl(y);\n"
    "\t\tconst long q = x / y;\n"
    "\t\treturn x % y < 0 ? q - 1 : q;\n"
    "\t}\n"
    "#endif\n"
    "\tif (y == 0) VYK_TRAP(@DIV_ZERO@, 0);\n"
    "\tif (y == -1) {\n"
    "\t\tif ((unsigned long)x == ~(~0ul >> 1)) VYK_TRAP(@OVERFLOW@, 0);\n"
    "\t\treturn -x;\n"
    "\t}\n"
    "\tconst long q = x / y;\n"
    "\treturn (x % y != 0 && (x < 0) != (y < 0)) ? q - 1 : q;\n"
    "}\n"
    "inline long VYK_ASH(const long x, const long n) {\n"
    "\tconst long bits = long(sizeof(long) * 8);\n"
    "\tif (n >= bits) return 0;\n"
    "\tif (n <= -bits) return x < 0 ? -1 : 0;\n"
    "\treturn n >= 0 ? long((unsigned long)x << n) : x >> -n;\n"
    "}\n"
    "// ENTIER of a value beyond LONGINT gives MIN(LONGINT) or MAX(LONGINT); of NaN, MIN(LONGINT).\n"
    "// Within the range the truncation is exact, and one less for a negative value with a fraction.\n"
    "inline long VYK_ENTIER(const double x) {\n"
    "\tconst double m = double(~(~0ul >> 1));\n"
    "\tif (x >= m) return long(~0ul >> 1);\n"
    "\tif (!(x >= -m)) return long(~(~0ul >> 1));\n"
    "\tconst long t = long(x);\n"
    "\treturn double(t) > x ? t - 1 : t;\n"
    "}\n"
    "template <class T, class S> inline T* VYK_GUARD(S *p, const char *at = 0) {\n"
    "\tif (!VYK_IS<T>(p)) VYK_TRAP(@GUARD@, at);\n"
    "\treturn static_cast<T*>(p);\n"
    "}\n"
    "struct VYK_CHARSTR {\n"
    "\tchar s[2];\n"
    "\tVYK_CHARSTR(const char c) : s{c, 0} {}\n"
    "};\n"
    "inline long VYK_LEN(const void *p, const int dim) {\n"
    "\tif (!p) VYK_TRAP(@NIL@, 0);\n"
    "\treturn static_cast<const long*>(p)[-1 - dim];\n"
    "}\n"
    "// The heap of NEW: the collector's when the program links the library built with it (which\n"
    "// defines VYK_GC_MALLOC and VYK_GC_FREE), else the C++ heap. NEW(p) is new(VYK_HEAP) (T)().\n"
    "#ifdef __GNUC__\n"
    "extern \"C\" void *VYK_GC_MALLOC(size_t size) __attribute__((weak));\n"
    "extern \"C\" void VYK_GC_FREE(void *p) __attribute__((weak));\n"
    "extern \"C\" void *VYK_GC_LISTS[] __attribute__((weak));\n"
    "#else\n"
    "static void *(*const VYK_GC_MALLOC)(size_t) = 0;\n"
    "static void (*const VYK_GC_FREE)(void *) = 0;\n"
    "static void **const VYK_GC_LISTS = 0;\n"
    "#endif\n"
    "// A small object comes straight from the collector's free list of its size: list n holds\n"
    "// objects of n * @STEP@ bytes for sizes below that; VYK_GC_MALLOC refills an empty list.\n"
    "inline void *VYK_ALLOC(const size_t size) {\n"
    "\tif (!VYK_GC_MALLOC) return ::operator new(size);\n"
    "\tconst size_t list = (size + @STEP@) / @STEP@;\n"
    "\tif (list < @LISTS@ && VYK_GC_LISTS) {\n"
    "\t\tvoid **p = static_cast<void**>(VYK_GC_LISTS[list]);\n"
    "\t\tif (p) {\n"
    "\t\t\tVYK_GC_LISTS[list] = *p;\n"
    "\t\t\t*p = 0;\n"
    "\t\t\treturn p;\n"
    "\t\t}\n"
    "\t}\n"
    "\treturn VYK_GC_MALLOC(size);\n"
    "}\n"
    "inline void VYK_RELEASE(void *p) {\n"
    "\tif (VYK_GC_FREE) VYK_GC_FREE(p); else ::operator delete(p);\n"
    "}\n"
    "enum VYK_HEAP_T { VYK_HEAP };\n"
    "inline void *operator new(size_t size, VYK_HEAP_T) { return VYK_ALLOC(size); }\n"
    "inline void *operator new[](size_t size, VYK_HEAP_T) { return VYK_ALLOC(size); }\n"
    "inline void operator delete(void *p, VYK_HEAP_T) { VYK_RELEASE(p); }\n"
    "inline void operator delete[](void *p, VYK_HEAP_T) { VYK_RELEASE(p); }\n"
    "// An object made by new(VYK_HEAP) that its owner gives up; the collector finds it unreachable itself.\n"
    "template <class T> inline void VYK_DELETE(T *p) {\n"
    "\tif (!VYK_GC_MALLOC) delete p;\n"
    "}\n"
    "template <class T> T* VYK_NEW_OPEN(std::initializer_list<long> lengths) {\n"
    "\tsize_t count = 1;\n"
    "\tfor (long n : lengths) {\n"
    "\t\tif (n < 0 || (n > 0 && count > size_t(-1) / 4 / sizeof(T) / size_t(n))) VYK_TRAP(@NEW_LENGTH@, 0);\n"
    "\t\tcount *= size_t(n);\n"
    "\t}\n"
    "\tconst size_t align = alignof(T) > sizeof(long) ? alignof(T) : sizeof(long);\n"
    "\tconst size_t head = (lengths.size() * sizeof(long) + align - 1) / align * align;\n"
    "\tchar *raw = static_cast<char*>(VYK_ALLOC(head + sizeof(T) * count));\n"
    "\tT *data = reinterpret_cast<T*>(raw + head);\n"
    "\tlong *len = reinterpret_cast<long*>(static_cast<void*>(data));\n"
    "\tint dim = 0;\n"
    "\tfor (long n : lengths) len[-1 - dim++] = n;\n"
    "\tfor (size_t i = 0; i < count; ++i) new (data + i) T();\n"
    "\treturn data;\n"
    "}\n"
    "// NEW of a record or an array whose type has no name C++ can reach from here (declared in\n"
    "// place in an array or a field): the type is the pointer's own.\n"
    "template <class T> inline void VYK_NEW_AS(T *&p) { p = new(VYK_HEAP) T(); }\n"
    "template <class T> inline void VYK_NEW_AS(T *&p, const size_t count) { p = new(VYK_HEAP) T[count](); }\n"
    "template <class T> inline void VYK_NEW_OPEN_AS(T *&p, std::initializer_list<long> lengths) {\n"
    "\tp = VYK_NEW_OPEN<T>(lengths);\n"
    "}\n"
    "// The copy of a value array parameter that its procedure changes: inside this object (on the\n"
    "// stack) up to ROOM bytes, else on the heap; given back when the procedure ends. With copy\n"
    "// false (the array lies apart from everything the procedure changes) it is the caller's. Plain\n"
    "// elements are copied with memcpy: a loop of char stores would reload data and count\n"
    "// after every element, since a char may alias them.\n"
    "// Whether n bytes at a and m bytes at b share a byte.\n"
    "inline bool VYK_OVERLAP(const void *a, const size_t n, const void *b, const size_t m) {\n"
    "\tconst uintptr_t x = reinterpret_cast<uintptr_t>(a), y = reinterpret_cast<uintptr_t>(b);\n"
    "\treturn x < y + m && y < x + n;\n"
    "}\n"
    "template <class T> class VYK_ARRAY_COPY {\n"
    "public:\n"
    "\tT *data;\n"
    "\tVYK_ARRAY_COPY(const T *from, const long n, const bool copy = true) : count(copy && n > 0 ? n : 0) {\n"
    "\t\tif (!copy) {\n"
    "\t\t\tdata = const_cast<T*>(from);\n"
    "\t\t\treturn;\n"
    "\t\t}\n"
    "\t\tconst size_t size = sizeof(T) * size_t(count);\n"
    "\t\tT *to = static_cast<T*>(size <= ROOM ? static_cast<void*>(room) : VYK_ALLOC(size));\n"
    "\t\tif (__is_trivially_copyable(T)) memcpy(static_cast<void*>(to), from, size);\n"
    "\t\telse for (long i = 0; i < count; ++i) new (to + i) T(from[i]);\n"
    "\t\tdata = to;\n"
    "\t}\n"
    "\t~VYK_ARRAY_COPY() {\n"
    "\t\tif (!__has_trivial_destructor(T)) for (long i = 0; i < count; ++i) data[i].~T();\n"
    "\t\tif (count > 0 && static_cast<void*>(data) != static_cast<void*>(room)) VYK_RELEASE(data);\n"
    "\t}\n"
    "\tVYK_ARRAY_COPY(const VYK_ARRAY_COPY&) = delete;\n"
    "\tVYK_ARRAY_COPY& operator=(const VYK_ARRAY_COPY&) = delete;\n"
    "private:\n"
    "\tenum { ROOM = 256 };\n"
    "\tconst long count;\n"
    "\talignas(T) unsigned char room[ROOM];\n"
    "};\n\n";

const char* const kSysSourceLines[] = {
    "#include \"_VYK_sys.h\"",
};

std::string SysHelperText()
{
    const std::pair<const char*, int> codes[] = {
        {"@DIV_ZERO@", SYSTEM::VYK_TRAP_DIV_ZERO}, {"@OVERFLOW@", SYSTEM::VYK_TRAP_OVERFLOW},
        {"@NEW_LENGTH@", SYSTEM::VYK_TRAP_NEW_LENGTH}, {"@NIL@", SYSTEM::VYK_TRAP_NIL},
        {"@GUARD@", SYSTEM::VYK_TRAP_GUARD}, {"@STEP@", int(SYSTEM::VYK_GC_STEP)},
        {"@LISTS@", int(SYSTEM::VYK_GC_LIST_COUNT)}};
    std::string text = kSysHelperText;
    for (const auto& code : codes)
        for (size_t at = text.find(code.first); at != std::string::npos; at = text.find(code.first))
            text.replace(at, strlen(code.first), std::to_string(code.second));
    return text;
}

// The checks of modules compiled with -c, in a header of their own that every such module
// includes, so a module's checks never depend on how the main module was compiled. Each check
// passes its value on when it holds; otherwise VYK_TRAP stops the program with the trap's code
// and the place `at`. That path is cold and out of line, so a check costs a compare and a
// branch: an index is one unsigned compare against the length.
const char* const kCheckHeaderPath = "CPP/_VYK_chk.h";
const char* const kCheckHeaderText =
    "#ifndef VYK_H_FILE__VYK_chk\n"
    "#define VYK_H_FILE__VYK_chk\n\n"
    "#include <float.h>\n\n"
    "#if defined(__GNUC__)\n"
    "[[noreturn]] __attribute__((cold)) void VYK_TRAP(const int trap, const char *at);\n"
    "#else\n"
    "[[noreturn]] void VYK_TRAP(const int trap, const char *at);\n"
    "#endif\n\n"
    "inline long VYK_IX(const long i, const long n, const char *at) {\n"
    "\tif ((unsigned long)i >= (unsigned long)n) VYK_TRAP(@INDEX@, at);\n"
    "\treturn i;\n"
    "}\n"
    "// The length of a dimension copied by an array assignment, which the other side must share.\n"
    "inline long VYK_SAMELEN(const long n, const long m, const char *at) {\n"
    "\tif (n != m) VYK_TRAP(@INDEX@, at);\n"
    "\treturn n;\n"
    "}\n"
    "// The length of an array that a string of n characters with its 0X is assigned to.\n"
    "inline long VYK_FITS(const long n, const long m, const char *at) {\n"
    "\tif (n > m) VYK_TRAP(@INDEX@, at);\n"
    "\treturn m;\n"
    "}\n"
    "template <class P> inline P VYK_NN(const P p, const char *at) {\n"
    "\tif (!p) VYK_TRAP(@NIL@, at);\n"
    "\treturn p;\n"
    "}\n"
    "template <class F> inline const F &VYK_NNP(const F &f, const char *at) {\n"
    "\tif (!f) VYK_TRAP(@NIL@, at);\n"
    "\treturn f;\n"
    "}\n"
    "inline char VYK_CHR(const long x, const char *at) {\n"
    "\tif ((unsigned long)x > 255) VYK_TRAP(@RANGE@, at);\n"
    "\treturn char(x);\n"
    "}\n"
    "inline int VYK_SHORT_INT(const long x, const char *at) {\n"
    "\tif (long(int(x)) != x) VYK_TRAP(@RANGE@, at);\n"
    "\treturn int(x);\n"
    "}\n"
    "inline short VYK_SHORT_SHORTINT(const long x, const char *at) {\n"
    "\tif (long(short(x)) != x) VYK_TRAP(@RANGE@, at);\n"
    "\treturn short(x);\n"
    "}\n"
    "// A finite value beyond MAX(REAL) traps; infinities and NaN pass as they are.\n"
    "inline double VYK_SHORT_REAL(const long double x, const char *at) {\n"
    "\tif ((x > DBL_MAX || x < -DBL_MAX) && x <= LDBL_MAX && x >= -LDBL_MAX) VYK_TRAP(@RANGE@, at);\n"
    "\treturn double(x);\n"
    "}\n"
    "// A set element outside 0..31 traps; so does a range a..b that is not empty (a <= b) and\n"
    "// reaches outside.\n"
    "inline long VYK_ELEM(const long x, const char *at) {\n"
    "\tif ((unsigned long)x > 31) VYK_TRAP(@RANGE@, at);\n"
    "\treturn x;\n"
    "}\n"
    "inline int VYK_SET_RANGE_CHK(const long l, const long h, const char *at) {\n"
    "\tif (l <= h && (l < 0 || h > 31)) VYK_TRAP(@RANGE@, at);\n"
    "\treturn VYK_SET_RANGE(int(l), int(h));\n"
    "}\n"
    "// ENTIER of NaN or of a value whose floor is beyond LONGINT traps.\n"
    "inline long VYK_ENTIER_CHK(const long double x, const char *at) {\n"
    "\tconst long double m = (long double)(~(~0ul >> 1));\n"
    "\tif (!(x >= -m && x < m)) VYK_TRAP(@RANGE@, at);\n"
    "\tconst long t = long(x);\n"
    "\treturn t > x ? t - 1 : t;\n"
    "}\n\n"
    "#endif\n";

std::string CheckHeaderText()
{
    const std::pair<const char*, int> codes[] = {{"@INDEX@", SYSTEM::VYK_TRAP_INDEX},
                                                 {"@NIL@", SYSTEM::VYK_TRAP_NIL},
                                                 {"@RANGE@", SYSTEM::VYK_TRAP_RANGE}};
    std::string text = kCheckHeaderText;
    for (const auto& code : codes)
        for (size_t at = text.find(code.first); at != std::string::npos; at = text.find(code.first))
            text.replace(at, strlen(code.first), std::to_string(code.second));
    return text;
}

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
    WriteLines(file, kWrapLines);
    WriteLines(file, kSysHeaderLines);
    file.Printf("%s", SysHelperText().c_str());
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

bool WriteCheckHeader(COutputFiles* outputs)
{
    CTextFile file;
    if (!OpenSupportFile(file, kCheckHeaderPath, outputs)) return false;
    file.Printf("%s", CheckHeaderText().c_str());
    return CloseSupportFile(file, kCheckHeaderPath);
}

const char* TypeDescriptorText() { return VYK_TYPE_DESCRIPTOR_TEXT; }

bool WriteSupportFiles(const std::string& mainModule, COutputFiles* outputs)
{
    if (!WriteSysHeader(outputs) || !WriteSysSource(outputs)) return false;
    return WriteMainHeader(mainModule, outputs) && WriteMainSource(mainModule, outputs);
}
