#!/bin/sh
# Build-time benchmark of target 2 (one g++ call for everything) against target 4 (one object
# per module, the library from its archive), both run here on the same machine, ccache off.
#
#   usage: build_run.sh <bin-folder> [modules]      (100 modules by default)
#
# A generated program (tools/genmodules.sh: each module imports up to three earlier ones):
# full build with target 2, with target 4 at -j1 and -j2; then target 4 again after one
# module's body changed and after one exported declaration changed (the whole chain runs,
# only make is timed). Last, a one-module program against g++ compiling and linking a
# hello-world C++ program. Wall times in seconds.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "$1" && pwd)
count=${2:-100}
lib=$(cd "$here/../lib" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/vykbench.XXXXXX")
trap 'rm -rf "$work"' EXIT
export VYK_CCACHE=no

now() { date +%s.%N; }
elapsed() { echo "$1 $2" | awk '{printf "%.2f", $2 - $1}'; }

# The chain in project folder $1 over the modules listed in $2.
chain() {
  (cd "$1" && first=-d && for m in $(cat "$2"); do
     last=$(tail -n 1 "$2")
     if [ "$m" = "$last" ]; then "$bin/VYK" "$m" vydeskpro.tmp -a -m >/dev/null; else "$bin/VYK" "$m" vydeskpro.tmp -a $first >/dev/null; fi
     first=
   done && "$bin/Vybind" CPP/_VYK_make.vym -a >/dev/null \
        && "$bin/Vygen" CPP/_VYK_make.vym CPP/Makefile2.mak -p 2 -a >/dev/null \
        && "$bin/Vygen" CPP/_VYK_make.vym CPP/Makefile.mak -p 4 -a >/dev/null)
}
project() {   # project <folder> <program-folder>
  mkdir -p "$1/CPP" "$1/DFN" "$1/Make"
  printf 'IMPORT=%s/\n' "$lib" >"$1/vydeskpro.tmp"
  cp "$2"/*.vyk "$1/"
  cp "$2/modules" "$1/modules"
}
timed_make() {   # timed_make <project> <makefile> <jobs>
  t0=$(now); (cd "$1/CPP" && make -s -j"$3" -f "$2" >/dev/null 2>&1); t1=$(now); elapsed "$t0" "$t1"
}

row() { printf '| %-44s | %8s |\n' "$1" "$2"; }
measure_program() {   # measure_program <title> <program-folder> <module-to-change>
  p="$work/p"; rm -rf "$p"; project "$p" "$2"; chain "$p" "$p/modules"
  echo; echo "$1"; echo; row "build" "seconds"; row "---" "---:"
  full2=$(timed_make "$p" Makefile2.mak 1); row "full, target 2" "$full2"
  rm -rf "$p/Make/obj"; full41=$(timed_make "$p" Makefile.mak 1); row "full, target 4, -j1" "$full41"
  rm -rf "$p/Make/obj"; full42=$(timed_make "$p" Makefile.mak 2); row "full, target 4, -j2" "$full42"
  if [ -n "$3" ]; then
    sleep 1
    sed -i 's/^CONST K = .*/CONST K = 4242;/' "$p/$3"
    chain "$p" "$p/modules"; body=$(timed_make "$p" Makefile.mak 2); row "after a body change ($3), -j2" "$body"
    sleep 1
    sed -i 's/^\tv\*: INTEGER;/\tv*, w*: INTEGER;/' "$p/$3"
    chain "$p" "$p/modules"; decl=$(timed_make "$p" Makefile.mak 2); row "after an exported declaration change, -j2" "$decl"
  fi
  echo "$full2 $full42 ${body:-0}" | awk '{printf "\ntarget 2 / target 4 -j2: %.1fx", $1 / $2; if ($3 > 0) printf "; body change / full -j2: %.0f%%", 100 * $3 / $2; printf "\n"}'
}

sh "$here/../tools/genmodules.sh" "$work/gen" "$count"
measure_program "Generated program of $count modules" "$work/gen" "M$((count / 2)).vyk"

# One module against a hello world of g++.
mkdir "$work/hello"
printf 'MODULE Hello;\nIMPORT Out;\nBEGIN\n\tOut.String("Hello, world!"); Out.Ln\nEND Hello.\n' >"$work/hello/Hello.vyk"
echo Hello.vyk >"$work/hello/modules"
p="$work/h"; project "$p" "$work/hello"; chain "$p" "$p/modules"
t4=$(timed_make "$p" Makefile.mak 2)
printf '#include <cstdio>\nint main() { std::puts("Hello, world!"); return 0; }\n' >"$work/hello.cpp"
t0=$(now); c++ -O2 -o "$work/hello.out" "$work/hello.cpp"; t1=$(now); gxx=$(elapsed "$t0" "$t1")
echo; echo "One module: target 4 $t4 s, g++ hello world $gxx s" | cat
echo "$t4 $gxx" | awk '{printf "one module / g++ hello world: %.1fx\n", $1 / $2}'
