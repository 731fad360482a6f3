// The program's entry point: keeps the command line for Args, installs the
// trap handlers, runs the initialisation of the main module (which initialises
// its imports first) and ends with exit code 0. HALT, ASSERT and the traps of
// the generated code end the program earlier; every trap first flushes
// standard output, so what the program wrote before stays written.
//
// Built with VYK_GC (the toolchain's library archive, which also holds the collector), NEW
// takes its memory from the collector: VYK_GC_MALLOC and VYK_GC_FREE, which the generated
// code calls when they are linked (see _VYK_sys.h). Built without it, NEW uses the C++ heap.
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif
#include "SYSTEM.h"
#ifdef VYK_GC
// The collector is built for threads; this declares what it has for them (the marker count).
#define GC_THREADS
#include <gc/gc.h>
#include <gc/gc_inline.h>
#endif

// Written by the compiler into _VYK_main.cpp for the main module.
void VYK_SYS_main_init();

int SYSTEM::VYK_ARGC = 0;
char** SYSTEM::VYK_ARGV = nullptr;

void SYSTEM::VYK_SYS_SYSTEM() {
}

namespace {

const char* TrapMessage(const int trap) {
	for (const SYSTEM::VYK_TRAP_TEXT& t : SYSTEM::VYK_TRAP_TEXTS)
		if (t.code == trap) return t.message;
	return "trap";
}

void ReportTrap(const int trap, const int code, const char *at) {
	fflush(stdout);
	if (at) fprintf(stderr, "TRAP %i: %s (%s)\n", code, TrapMessage(trap), at);
	else fprintf(stderr, "TRAP %i: %s\n", code, TrapMessage(trap));
	fflush(stderr);
}

#ifndef _WIN32
// A fault address this close to 0 is a field or element reached through NIL.
const unsigned long kNilPage = 65536;
// The bottom of the stack region, known from main's frame and the stack limit.
char* stackTop = nullptr;
unsigned long stackSize = 8ul << 20;
char altStack[64 * 1024];

int FaultTrap(const int sig, const siginfo_t *info) {
	if (sig == SIGFPE) {
		if (info->si_code == FPE_INTDIV) return SYSTEM::VYK_TRAP_DIV_ZERO;
		if (info->si_code == FPE_INTOVF) return SYSTEM::VYK_TRAP_OVERFLOW;
		return SYSTEM::VYK_TRAP_ARITH;
	}
	if (sig == SIGABRT) return SYSTEM::VYK_TRAP_ABORT;
	if (sig == SIGILL) return SYSTEM::VYK_TRAP_ARITH;
	char *addr = static_cast<char*>(info->si_addr);
	if ((unsigned long)addr < kNilPage) return SYSTEM::VYK_TRAP_NIL;
	const unsigned long slack = 1ul << 20;
	if (stackTop && addr < stackTop && (unsigned long)(stackTop - addr) < stackSize + slack)
		return SYSTEM::VYK_TRAP_STACK;
	return SYSTEM::VYK_TRAP_MEMORY;
}

// The handlers of SIGSEGV and SIGBUS that were there before ours, and the test for the fault
// addresses that are theirs: the collector's, when its incremental mode (GC_ENABLE_INCREMENTAL
// in the environment) write-protects its heap and takes the first write to a page as a fault.
struct sigaction priorSegv, priorBus;
int (*priorTakes)(const void *addr) = nullptr;

bool PassedOn(const int sig, siginfo_t *info, void *context) {
	if (!priorTakes || (sig != SIGSEGV && sig != SIGBUS) || !priorTakes(info->si_addr)) return false;
	const struct sigaction &prior = sig == SIGSEGV ? priorSegv : priorBus;
	if (prior.sa_flags & SA_SIGINFO) {
		prior.sa_sigaction(sig, info, context);
		return true;
	}
	if (prior.sa_handler == SIG_DFL || prior.sa_handler == SIG_IGN) return false;
	prior.sa_handler(sig);
	return true;
}

void OnFault(int sig, siginfo_t *info, void *context) {
	if (PassedOn(sig, info, context)) return;
	const int trap = FaultTrap(sig, info);
	ReportTrap(trap, trap, nullptr);
	_Exit(trap);
}

void InstallTrapHandlers(char *top, int (*priorTakesFault)(const void *)) {
	stackTop = top;
	struct rlimit limit;
	if (getrlimit(RLIMIT_STACK, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) stackSize = limit.rlim_cur;
	stack_t ss = {};
	ss.ss_sp = altStack;
	ss.ss_size = sizeof altStack;
	sigaltstack(&ss, nullptr);
	struct sigaction sa = {};
	sa.sa_sigaction = OnFault;
	sa.sa_flags = SA_SIGINFO | SA_ONSTACK;
	sigemptyset(&sa.sa_mask);
	sigaction(SIGSEGV, &sa, &priorSegv);
	sigaction(SIGBUS, &sa, &priorBus);
	priorTakes = priorTakesFault;
	const int signals[] = {SIGFPE, SIGILL, SIGABRT};
	for (int sig : signals) sigaction(sig, &sa, nullptr);
}
#else
void OnFault(int sig) {
	const int trap = sig == SIGFPE ? SYSTEM::VYK_TRAP_DIV_ZERO
		: sig == SIGABRT ? SYSTEM::VYK_TRAP_ABORT : SYSTEM::VYK_TRAP_MEMORY;
	ReportTrap(trap, trap, nullptr);
	_Exit(trap);
}

void InstallTrapHandlers(char *, int (*)(const void *)) {
	const int signals[] = {SIGSEGV, SIGFPE, SIGILL, SIGABRT};
	for (int sig : signals) signal(sig, OnFault);
}
#endif
}

void VYK_TRAP(const int trap, const char *at) {
	ReportTrap(trap, trap, at);
	exit(trap);
}

void VYK_ASSERT_TRAP(const int code, const char *at) {
	const int exitCode = code == 0 ? int(SYSTEM::VYK_TRAP_ASSERT) : code;
	ReportTrap(SYSTEM::VYK_TRAP_ASSERT, exitCode, at);
	exit(exitCode);
}

#ifdef VYK_GC
// Small objects come from free lists of our own, one for each size (see VYK_GC_STEP): taking one
// is a load and a store, which the generated code does inline (VYK_ALLOC in _VYK_sys.h), and
// the collector fills an empty list with a whole block's worth of zero-filled objects at a time
// (the free list of the objects' size or fresh blocks). The lists are static data, so the
// collector sees the objects on them as in use and never hands them out twice. A program runs
// on one thread, so the lists need no lock.
extern "C" void* VYK_GC_LISTS[SYSTEM::VYK_GC_LIST_COUNT];
void* VYK_GC_LISTS[SYSTEM::VYK_GC_LIST_COUNT];

// Zero-filled memory the collector gives back when nothing points to it any more; a request
// the collector cannot meet stops the program as an abort.
extern "C" void *VYK_GC_MALLOC(size_t size) {
	const size_t list = (size + SYSTEM::VYK_GC_STEP) / SYSTEM::VYK_GC_STEP;
	if (list < SYSTEM::VYK_GC_LIST_COUNT) {
		void** head = &VYK_GC_LISTS[list];
		if (*head == nullptr) {
			GC_generic_malloc_many(list * SYSTEM::VYK_GC_STEP, GC_I_NORMAL, head);
			if (*head == nullptr) VYK_TRAP(SYSTEM::VYK_TRAP_ABORT, nullptr);
		}
		void** p = static_cast<void**>(*head);
		*head = *p;
		*p = nullptr;  // the link; the rest of the object is zero already
		return p;
	}
	void *p = GC_MALLOC(size);
	if (!p) VYK_TRAP(SYSTEM::VYK_TRAP_ABORT, nullptr);
	return p;
}

extern "C" void VYK_GC_FREE(void *p) {
	GC_FREE(p);
}
#endif

int main(int argc, char** argv) {
	char top = 0;
#ifdef VYK_GC
	// A fifth of twice what is in use may be allocated between collections before the heap
	// grows (the collector's own divisor is a third): a large heap stays within about 1.4 times
	// the live data.
	if (!getenv("GC_FREE_SPACE_DIVISOR")) GC_set_free_space_divisor(5);
	// The program runs on one thread, and so does the marking: with a marker thread for each
	// further processor, the threads' waits for each other cost more processor time than the
	// marking they share (binary trees took twice the time on two processors). GC_MARKERS in the
	// environment still chooses more.
	if (!getenv("GC_MARKERS")) GC_set_markers_count(1);
	// The collection the set-up would start (0.3 ms for a program that prints one line) finds
	// nothing: nothing has been allocated before main, and the first real collection sets up
	// what the collector learns from one (the addresses it should not hand out).
	GC_set_dont_precollect(1);
	GC_INIT();
	// The heap starts at 12.5 MiB and is used before the first collection, so a program that
	// allocates much and keeps little collects every few MiB rather than every few KiB, and one
	// that keeps a few MiB does not mark them again after every few MiB it allocates (binary trees
	// with 4 MiB live collect 53 times rather than 64 at 12 MiB, and peak at 2.8 times their live
	// data); the pages become resident only as they are used.
	const size_t initialHeap = size_t(25) << 19;
	if (!getenv("GC_INITIAL_HEAP_SIZE") && GC_get_heap_size() < initialHeap)
		GC_expand_hp(initialHeap - GC_get_heap_size());
	// In its incremental mode the collector has a fault handler of its own by now; ours passes it
	// the faults on the collector's heap.
	InstallTrapHandlers(&top, GC_is_incremental_mode() ? GC_is_heap_ptr : nullptr);
#else
	InstallTrapHandlers(&top, nullptr);
#endif
	SYSTEM::VYK_ARGC = argc;
	SYSTEM::VYK_ARGV = argv;
	VYK_SYS_main_init();
	return (fflush(stdout) == 0) ? EXIT_SUCCESS : EXIT_FAILURE;
}
