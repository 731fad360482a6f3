// The reserved module SYSTEM: the program's entry point, its command line and
// the run-time traps. Every library definition file imports SYSTEM, and the
// compiler adds SYSTEM to the build description of a program whose modules
// import nothing, so SYSTEM.cpp (and with it main) is part of every program.
#ifndef VYK_H_FILE_SYSTEM
#define VYK_H_FILE_SYSTEM
#include <string.h>
#include <new>

// Called by the generated code (declared again in _VYK_sys.h): flushes
// standard output, writes the trap's line, with the place when `at` is given,
// and ends the program with the trap's code. A failed ASSERT ends with its own
// code (never 0) and the message of VYK_TRAP_ASSERT.
[[noreturn]] void VYK_TRAP(const int trap, const char *at);
[[noreturn]] void VYK_ASSERT_TRAP(const int code, const char *at);

// A record type's descriptor: its extension level and its base types by level, the
// last being the type itself; one per type in the whole program. Every record
// reaches its own through VYK_DESC(), so a type test is a load and a compare.
#ifndef VYK_TYPE_DESCRIPTORS
#define VYK_TYPE_DESCRIPTORS
struct VYK_TYPEDESC {
	long level;
	const VYK_TYPEDESC* const* base;
};
template <class T, long L, bool = (T::VYK_LEVEL == L)> struct VYK_BASE_AT {typedef T type;};
template <class T, long L> struct VYK_BASE_AT<T, L, false> {
	typedef typename VYK_BASE_AT<typename T::VYK_BASE, L>::type type;
};
// The levels 0..N-1 as a parameter pack (the standard one costs a heavy header).
template <size_t... L> struct VYK_SEQ {};
template <size_t N, size_t... L> struct VYK_MAKE_SEQ : VYK_MAKE_SEQ<N - 1, N - 1, L...> {};
template <size_t... L> struct VYK_MAKE_SEQ<0, L...> {typedef VYK_SEQ<L...> type;};
template <class T, class = typename VYK_MAKE_SEQ<T::VYK_LEVEL + 1>::type> struct VYK_TD;
template <class T, size_t... L> struct VYK_TD<T, VYK_SEQ<L...>> {
	static const VYK_TYPEDESC* const base[sizeof...(L)];
	static const VYK_TYPEDESC d;
};
template <class T, size_t... L> const VYK_TYPEDESC* const VYK_TD<T, VYK_SEQ<L...>>::base[sizeof...(L)] =
	{&VYK_TD<typename VYK_BASE_AT<T, long(L)>::type>::d...};
template <class T, size_t... L> const VYK_TYPEDESC VYK_TD<T, VYK_SEQ<L...>>::d =
	{long(sizeof...(L)) - 1, base};
// p IS T: false for NIL.
template <class T, class S> inline bool VYK_IS(S *p) {
	if (!p) return false;
	const VYK_TYPEDESC *t = p->VYK_DESC();
	return t->level >= T::VYK_LEVEL && t->base[T::VYK_LEVEL] == &VYK_TD<T>::d;
}
#endif

namespace SYSTEM {

// SYSTEM.PTR: any pointer; the compiler writes it as void*.
typedef void* PTR;

// The command line as main received it; Args reads it.
extern int VYK_ARGC;
extern char** VYK_ARGV;

// The run-time traps: the exit code of a program stopped by one and the text of
// the line it writes on standard error ("TRAP <code>: <message>"). This table
// is the only home of the codes: the compiler writes them into the generated
// code and README.md lists them.
enum VYK_TRAP_CODE {
	VYK_TRAP_RANGE = 240,      // SHORT, CHR or ENTIER of a value that does not fit, a set element
	                           // outside 0..31 (checked build)
	VYK_TRAP_INDEX = 241,      // array index outside 0..LEN-1 (checked build)
	VYK_TRAP_NIL = 242,        // dereference of NIL, call of a NIL procedure, LEN of NIL
	VYK_TRAP_GUARD = 243,      // type guard on an object of another type, or on NIL
	VYK_TRAP_DIV_ZERO = 244,   // DIV or MOD by zero
	VYK_TRAP_OVERFLOW = 245,   // MIN(LONGINT) DIV -1
	VYK_TRAP_NEW_LENGTH = 246, // NEW with a negative length or a size beyond the address space
	VYK_TRAP_STACK = 247,      // stack overflow
	VYK_TRAP_MEMORY = 248,     // access to memory the program does not own
	VYK_TRAP_ARITH = 249,      // another arithmetic fault of the processor
	VYK_TRAP_ABORT = 250,      // the program was aborted (out of memory, library failure)
	VYK_TRAP_CASE = 251,       // CASE without ELSE whose value matches no label
	VYK_TRAP_WITH = 252,       // WITH without ELSE whose variable matches no guard
	VYK_TRAP_ASSERT = 253,     // ASSERT(FALSE) without a code, or with code 0
	VYK_TRAP_NO_HANDLER = 254  // common procedure with no handler for its arguments
};

// NEW's small objects come from free lists of the library's (VYK_GC_LISTS, when it is built
// with the collector), one for each size in steps of VYK_GC_STEP bytes: list n holds objects of
// n * VYK_GC_STEP bytes, for requests of up to n * VYK_GC_STEP - 1 bytes (a pointer just past an
// object must not reach the next one). The generated code takes an object from its list itself.
const unsigned VYK_GC_STEP = 16;
const unsigned VYK_GC_LIST_COUNT = 25;

struct VYK_TRAP_TEXT {
	int code;
	const char* message;
};

constexpr VYK_TRAP_TEXT VYK_TRAP_TEXTS[] = {
	{VYK_TRAP_RANGE, "value out of range"},
	{VYK_TRAP_INDEX, "index out of range"},
	{VYK_TRAP_NIL, "NIL dereference"},
	{VYK_TRAP_GUARD, "type guard failed"},
	{VYK_TRAP_DIV_ZERO, "division by zero"},
	{VYK_TRAP_OVERFLOW, "integer overflow in DIV"},
	{VYK_TRAP_NEW_LENGTH, "invalid length in NEW"},
	{VYK_TRAP_STACK, "stack overflow"},
	{VYK_TRAP_MEMORY, "invalid memory access"},
	{VYK_TRAP_ARITH, "arithmetic fault"},
	{VYK_TRAP_ABORT, "program aborted"},
	{VYK_TRAP_CASE, "no CASE label matches"},
	{VYK_TRAP_WITH, "no WITH guard matches"},
	{VYK_TRAP_ASSERT, "assertion failed"},
	{VYK_TRAP_NO_HANDLER, "no handler of common procedure"},
};

//MODULE INITIALIZATION
void VYK_SYS_SYSTEM();

// The unsigned type of the same size, and whether a type is bool: small stand-ins for the
// standard header that has them, which every module importing the library would read.
template <class T> struct VYK_UNSIGNED;
template <> struct VYK_UNSIGNED<char> {typedef unsigned char type;};
template <> struct VYK_UNSIGNED<signed char> {typedef unsigned char type;};
template <> struct VYK_UNSIGNED<unsigned char> {typedef unsigned char type;};
template <> struct VYK_UNSIGNED<short> {typedef unsigned short type;};
template <> struct VYK_UNSIGNED<unsigned short> {typedef unsigned short type;};
template <> struct VYK_UNSIGNED<int> {typedef unsigned type;};
template <> struct VYK_UNSIGNED<unsigned> {typedef unsigned type;};
template <> struct VYK_UNSIGNED<long> {typedef unsigned long type;};
template <> struct VYK_UNSIGNED<unsigned long> {typedef unsigned long type;};
template <> struct VYK_UNSIGNED<long long> {typedef unsigned long long type;};
template <> struct VYK_UNSIGNED<unsigned long long> {typedef unsigned long long type;};
template <class T> struct VYK_IS_BOOL {enum {value = 0};};
template <> struct VYK_IS_BOOL<bool> {enum {value = 1};};

// The procedures of SYSTEM that the compiler writes as calls. An address is a LONGINT; every
// result is defined for every argument: shifts and rotations by any count, VAL between types
// of different sizes (the bytes of the value, cut or filled with zeros), a BOOLEAN read from
// memory is TRUE for any byte but 0.
template <class T> inline T VYK_LSH(const T x, const long n) {
	using U = typename VYK_UNSIGNED<T>::type;
	const long bits = long(sizeof(T) * 8);
	if (n >= bits || n <= -bits) return T(0);
	const U u = U(x);
	return n >= 0 ? T(U(u << n)) : T(U(u >> -n));
}
template <class T> inline T VYK_ROT(const T x, const long n) {
	using U = typename VYK_UNSIGNED<T>::type;
	const long bits = long(sizeof(T) * 8);
	const long k = (n % bits + bits) % bits;
	const U u = U(x);
	return k == 0 ? x : T(U(U(u << k) | U(u >> (bits - k))));
}
template <class T, class S> inline T VYK_VAL(const S x) {
	if (VYK_IS_BOOL<T>::value) {
		unsigned char b[sizeof(S)];
		memcpy(b, &x, sizeof(S));
		return T(b[0] != 0);
	}
	T t{};
	memcpy(&t, &x, sizeof(T) < sizeof(S) ? sizeof(T) : sizeof(S));
	return t;
}
template <class T> inline void VYK_GET(const long a, T& v) {
	memcpy(&v, reinterpret_cast<const void*>(a), sizeof(T));
}
inline void VYK_GET(const long a, bool& v) {
	v = *reinterpret_cast<const unsigned char*>(a) != 0;
}
template <class T> inline void VYK_PUT(const long a, const T x) {
	memcpy(reinterpret_cast<void*>(a), &x, sizeof(T));
}
inline void VYK_MOVE(const long from, const long to, const long n) {
	if (n > 0) memmove(reinterpret_cast<void*>(to), reinterpret_cast<const void*>(from), size_t(n));
}
inline bool VYK_BIT(const long a, const long n) {
	return (*reinterpret_cast<const unsigned char*>(a + (n >> 3)) >> (n & 7)) & 1;
}
// NEW(p, n): n bytes set to zero, at least room for one object of p's type, which is made there.
// Like NEW, on the collector's heap when the program links it (see VYK_ALLOC in _VYK_sys.h).
#ifdef __GNUC__
extern "C" void *VYK_GC_MALLOC(size_t size) __attribute__((weak));
#endif
template <class T> inline void VYK_NEW(T*& p, const long n) {
	if (n < 0) VYK_TRAP(VYK_TRAP_NEW_LENGTH, 0);
	const size_t size = size_t(n) < sizeof(T) ? sizeof(T) : size_t(n);
#ifdef __GNUC__
	void* raw = VYK_GC_MALLOC ? VYK_GC_MALLOC(size) : ::operator new(size);
#else
	void* raw = ::operator new(size);
#endif
	memset(raw, 0, size);
	p = new (raw) T();
}

}

#endif
