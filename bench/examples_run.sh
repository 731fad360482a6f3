#!/bin/sh
# Build-time benchmark over examples/: every example program built with target 2 (one g++ call
# for everything) and with target 4 (one object per module, the library from its archive,
# make -j2), both here in one run, ccache off. The chain (VYK, Vybind, Vygen) runs once per
# program beforehand; only make is timed. Wall and CPU (user + system of make and what it ran)
# seconds per program and in total: on a busy machine the CPU times still compare.
#
#   usage: examples_run.sh <bin-folder>
set -eu
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "$1" && pwd)
lib=$(cd "$here/../lib" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/vykbench.XXXXXX")
trap 'rm -rf "$work"' EXIT
export VYK_CCACHE=no

timed() {   # wall and CPU seconds of a command
  /usr/bin/time -f "%e %U %S" -o "$work/time.txt" "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
  awk '{printf "%.2f %.2f", $1, $2 + $3}' "$work/time.txt"
}
row() { printf '| %-20s | %8s | %8s | %8s | %8s |\n' "$@"; }

# The project of one example in $work/<name>, through Vygen for both targets.
prepare() {   # prepare <example-folder> <project-folder>
  mkdir -p "$2/CPP" "$2/DFN" "$2/Make"
  printf 'IMPORT=%s/\n' "$lib" >"$2/vydeskpro.tmp"
  cp "$1"/*.vyk "$2/"
  if [ -f "$1/modules" ]; then grep -v '^[[:space:]]*$' "$1/modules" >"$2/modules"; else (cd "$1" && ls *.vyk) >"$2/modules"; fi
  (cd "$2" && first=-d && last=$(tail -n 1 modules) && for m in $(cat modules); do
     if [ "$m" = "$last" ]; then "$bin/VYK" "$m" vydeskpro.tmp -a -m $first; else "$bin/VYK" "$m" vydeskpro.tmp -a $first; fi
     first=
   done && "$bin/Vybind" CPP/_VYK_make.vym -a \
        && "$bin/Vygen" CPP/_VYK_make.vym CPP/Makefile2.mak -p 2 -a \
        && "$bin/Vygen" CPP/_VYK_make.vym CPP/Makefile.mak -p 4 -a) >"$2/chain.log" 2>&1
}

echo "Examples: target 2 against target 4 -j2"; echo
row "program" "t2 wall" "t2 CPU" "t4 wall" "t4 CPU"; row "---" "---:" "---:" "---:" "---:"
: >"$work/totals"
for dir in "$here"/../examples/*/; do
  name=$(basename "$dir")
  ls "$dir"*.vyk >/dev/null 2>&1 || continue
  p="$work/$name"
  prepare "$dir" "$p" || { row "$name" "(chain failed)" "" "" ""; continue; }
  set -- $(cd "$p/CPP" && timed make -s -f Makefile2.mak)
  w2=$1 c2=$2
  set -- $(cd "$p/CPP" && timed make -s -j2 -f Makefile.mak)
  row "$name" "$w2" "$c2" "$1" "$2"
  echo "$w2 $c2 $1 $2" >>"$work/totals"
done
awk '{w2 += $1; c2 += $2; w4 += $3; c4 += $4; n++}
     END {
       printf "| %-20s | %8.2f | %8.2f | %8.2f | %8.2f |\n", "all " n " programs", w2, c2, w4, c4
       printf "\ntarget 2 / target 4 -j2: %.1fx wall, %.1fx CPU\n", w2 / w4, c2 / c4
     }' "$work/totals"
