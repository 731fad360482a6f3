#!/bin/sh
# vykbuild.sh: builds one VYK program folder through the whole chain and runs it.
#
#   usage: vykbuild.sh <bin-folder> <program-folder> [program arguments...]
#
# <bin-folder> holds VYK, Vybind and Vygen. <program-folder> holds the modules
# (*.vyk) and, when there is more than one, a file `modules` naming them in
# compilation order, one a line, imported modules first and the main module last.
# Each line is the name of a file in <program-folder> itself: letters, digits,
# ".", "_" and "-", not starting with "." or "-"; a line like ../X.vyk or /X.vyk,
# or a name that is a symbolic link, is refused (exit 2), so that nothing
# outside the program folder is read.
# The script makes a fresh project folder (CPP, DFN, Make and a project file
# naming the standard library as import folder by absolute path), copies the
# modules into it and runs, there:
#   VYK <module> vydeskpro.tmp -a -c   for each module (-d on the first, -m on the last)
#   Vybind CPP/_VYK_make.vym -a
#   Vygen CPP/_VYK_make.vym CPP/Makefile.mak -p 4 -a
#   make -j<cores> -f Makefile.mak     in CPP
# (target 4: one object per module under Make/obj, the library linked from the
# archive that the toolchain's build made beside bin/).
# and then runs Make/<program> in the caller's folder with the remaining
# arguments and the caller's standard input; its exit code is the script's.
# The program folder is never written to.
#
# The tools' messages go to standard error, so standard output is the
# program's alone. A build that fails ends with exit code 125 after showing
# the failing tool's messages.
#
# Environment:
#   VYK_CHECKS    0: compile without the run-time checks (-c: index, NIL and
#                 range checks naming the module, line and column of a failing
#                 access); any other value or none: with them
#   VYK_LIB       the standard library folder (default: lib/ beside tools/)
#   VYK_WORK      build in this folder (created, emptied first) and keep it
#   VYK_CXXFLAGS  arguments for the C++ compiler instead of the makefile's
#                 default ones (passed to Vygen with -ca), for example a
#                 sanitizer build of the program
#   VYK_VERBOSE   1: show every tool's messages, not only a failing one's
#   VYK_BUILD_ONLY  1: do not run the program; print its path instead (with
#                 VYK_WORK, so that it stays)
set -u

build_failed=125

if [ $# -lt 2 ]; then
  echo "usage: vykbuild.sh <bin-folder> <program-folder> [program arguments...]" >&2
  echo "  (VYK_CHECKS=0 builds without the run-time checks)" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "$1" 2>/dev/null && pwd) || { echo "vykbuild: no bin folder $1" >&2; exit 2; }
src=$(cd "$2" 2>/dev/null && pwd) || { echo "vykbuild: no program folder $2" >&2; exit 2; }
shift 2
lib=$(cd "${VYK_LIB:-$here/../lib}" 2>/dev/null && pwd) || { echo "vykbuild: no library folder" >&2; exit 2; }

for tool in VYK Vybind Vygen; do
  [ -x "$bin/$tool" ] || { echo "vykbuild: $bin/$tool not found" >&2; exit "$build_failed"; }
done

# The modules in compilation order.
if [ -f "$src/modules" ]; then
  modules=$(grep -v '^[[:space:]]*$' "$src/modules")
else
  modules=$(cd "$src" && ls *.vyk 2>/dev/null)
  if [ "$(echo "$modules" | grep -c .)" -ne 1 ]; then
    echo "vykbuild: $src needs a file 'modules' naming the modules in compilation order" >&2
    exit 2
  fi
fi
[ -n "$modules" ] || { echo "vykbuild: no modules in $src" >&2; exit 2; }
# Checked line by line before the list is split into words, so no line can
# become several names or a pattern.
bad=$(printf '%s\n' "$modules" | grep -v '^[A-Za-z0-9_][A-Za-z0-9._-]*$' | head -n 1)
if [ -n "$bad" ]; then
  echo "vykbuild: '$bad' in $src/modules is not the name of a file in the program folder" >&2
  exit 2
fi
main=$(echo "$modules" | tail -n 1)

if [ -n "${VYK_WORK:-}" ]; then
  rm -rf "$VYK_WORK" && mkdir -p "$VYK_WORK" || exit 2
  work=$(cd "$VYK_WORK" && pwd)
else
  work=$(mktemp -d "${TMPDIR:-/tmp}/vykbuild.XXXXXX") || exit 2
  trap 'rm -rf "$work"' EXIT
  trap 'exit 130' INT TERM
fi
mkdir "$work/CPP" "$work/DFN" "$work/Make"
log="$work/build.log"

# Keys the compiler reads from the project manager's temporary project file.
printf 'IMPORT=%s/\n' "$lib" >"$work/vydeskpro.tmp"

# Runs one tool in the project folder; on failure shows its messages and stops.
step() {
  (cd "$work" && "$@") >"$log" 2>&1
  code=$?
  if [ "${VYK_VERBOSE:-}" = 1 ] || [ "$code" != 0 ]; then cat "$log" >&2; fi
  if [ "$code" != 0 ]; then
    echo "vykbuild: '$*' failed with exit code $code" >&2
    exit "$build_failed"
  fi
}

for m in $modules; do
  [ -L "$src/$m" ] && { echo "vykbuild: module file $src/$m is a symbolic link" >&2; exit 2; }
  [ -f "$src/$m" ] || { echo "vykbuild: module file $src/$m not found" >&2; exit 2; }
  cp "$src/$m" "$work/$m"
done
checks=-c
[ "${VYK_CHECKS:-1}" = 0 ] && checks=
first=-d
for m in $modules; do
  if [ "$m" = "$main" ]; then
    step "$bin/VYK" "$m" vydeskpro.tmp -a $checks $first -m
  else
    step "$bin/VYK" "$m" vydeskpro.tmp -a $checks $first
  fi
  first=
done
step "$bin/Vybind" CPP/_VYK_make.vym -a
if [ -n "${VYK_CXXFLAGS:-}" ]; then
  step "$bin/Vygen" CPP/_VYK_make.vym CPP/Makefile.mak -p 4 -a -ca "$VYK_CXXFLAGS"
else
  step "$bin/Vygen" CPP/_VYK_make.vym CPP/Makefile.mak -p 4 -a
fi
jobs=$(nproc 2>/dev/null || echo 1)
step sh -c "cd CPP && make -j$jobs -f Makefile.mak"

exe=$(sed -n 's/.*<Project [^>]*Exec="\([^"]*\)".*/\1/p' "$work/CPP/_VYK_make.vym")
[ -n "$exe" ] && [ -x "$work/Make/$exe" ] || { echo "vykbuild: the program was not built (Make/$exe)" >&2; exit "$build_failed"; }

if [ "${VYK_BUILD_ONLY:-}" = 1 ]; then
  echo "$work/Make/$exe"
  exit 0
fi
# A VYK program never frees what NEW allocates, so a sanitizer build of it
# runs without leak detection.
ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}" "$work/Make/$exe" "$@"
