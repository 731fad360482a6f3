#!/bin/sh
# Target 4 builds incrementally: after one module's body changes and the whole chain runs
# again (every module compiled, Vybind, Vygen, make), only that module's object is compiled
# again (and not the precompiled support header, which a program of this size has), and the
# program's output changes. Both builds compile with the run-time checks (-c);
# VYK_CXXFLAGS (a sanitizer build) applies to both builds.
#
#   usage: incremental_test.sh <bin-folder>
set -u
here=$(cd "$(dirname "$0")" && pwd)
root="$here/../.."
bin=$(cd "$1" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/vykincr.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL incremental: $*"; exit 1; }

sh "$root/tools/genmodules.sh" "$work/src" 10
exe=$(VYK_CHECKS=1 VYK_WORK="$work/p" VYK_BUILD_ONLY=1 VYK_CCACHE=no sh "$root/tools/vykbuild.sh" "$bin" "$work/src") ||
  fail "the first build failed"
before=$("$exe") || fail "the program failed"
list_before=$(cd "$work/p/Make/obj" && ls -l --time-style=+%s.%N *.o pch/*.gch | awk '{print $7, $6}')
sleep 1

# A new value of the body constant of M3, then the chain as the first build ran it.
sed 's/^CONST K = .*/CONST K = 4242;/' "$work/src/M3.vyk" >"$work/p/M3.vyk"
(
  cd "$work/p" || exit 1
  first=-d
  for m in $(cat "$work/src/modules"); do
    if [ "$m" = Main.vyk ]; then "$bin/VYK" "$m" vydeskpro.tmp -a -c -m; else "$bin/VYK" "$m" vydeskpro.tmp -a -c $first; fi || exit 1
    first=
  done
  set -- -p 4 -a
  [ -n "${VYK_CXXFLAGS:-}" ] && set -- "$@" -ca "$VYK_CXXFLAGS"
  "$bin/Vybind" CPP/_VYK_make.vym -a && "$bin/Vygen" CPP/_VYK_make.vym CPP/Makefile.mak "$@" &&
    cd CPP && VYK_CCACHE=no make -j2 -f Makefile.mak
) >"$work/log" 2>&1 || { cat "$work/log"; fail "the rebuild failed"; }
after=$("$exe") || fail "the rebuilt program failed"
[ "$before" != "$after" ] || fail "the output did not change: $after"

list_after=$(cd "$work/p/Make/obj" && ls -l --time-style=+%s.%N *.o pch/*.gch | awk '{print $7, $6}')
changed=$(printf '%s\n' "$list_before" "$list_after" | sort | uniq -u | awk '{print $1}' | sort -u | tr '\n' ' ')
[ "$changed" = "M3.o " ] || fail "objects compiled again: $changed(expected M3.o alone)"
echo "PASS incremental: only M3.o compiled again; output $before -> $after"
