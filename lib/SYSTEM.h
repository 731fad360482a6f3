// The reserved module SYSTEM: the program's entry point, its command line and
// the run-time traps. Every library definition file imports SYSTEM, and the
// compiler adds SYSTEM to the build description of a program whose modules
// import nothing, so SYSTEM.cpp (and with it main) is part of every program.
#ifndef VYK_H_FILE_SYSTEM
#define VYK_H_FILE_SYSTEM

namespace SYSTEM {

// The command line as main received it; Args reads it.
extern int VYK_ARGC;
extern char** VYK_ARGV;

// The run-time traps: the exit code of a program stopped by one and the text of
// the line it writes on standard error ("TRAP <code>: <message>"). This table
// is the only home of the codes: the compiler writes them into the generated
// code and README.md lists them.
enum VYK_TRAP_CODE {
	VYK_TRAP_RANGE = 240,      // SHORT, CHR or ENTIER of a value that does not fit (checked build)
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

}

// Called by the generated code (declared again in _VYK_sys.h): flushes
// standard output, writes the trap's line, with the place when `at` is given,
// and ends the program with the trap's code. A failed ASSERT ends with its own
// code (never 0) and the message of VYK_TRAP_ASSERT.
[[noreturn]] void VYK_TRAP(const int trap, const char *at);
[[noreturn]] void VYK_ASSERT_TRAP(const int code, const char *at);
#endif
