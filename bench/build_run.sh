#!/bin/sh
# Build-time benchmark of target 2 (one g++ call for everything) against target 4 (one object
# per module, the library from its archive, the support header precompiled for a program of ten
# or more files), both run here on the same machine, ccache off. Wall and CPU (user + system)
# seconds, with the load average: on a busy machine compare the CPU columns and ratios.
#
#   usage: build_run.sh <bin-folder> [modules]      (100 modules by default)
#
# A generated program (tools/genmodules.sh: each module imports up to three earlier ones):
# full build with target 2, with target 4 at -j1 (also at target 2's -O3, and without the
# precompiled support header) and -j2; then target 4 again after one
# module's body changed and after one exported declaration changed (the whole chain runs,
# only make is timed). Last, a one-module program against g++ compiling and linking a
# hello-world C++ program.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "$1" && pwd)
count=${2:-100}
lib=$(cd "$here/../lib" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/vykbench.XXXXXX")
trap 'rm -rf "$work"' EXIT
export VYK_CCACHE=no

# wall and CPU seconds of a command
timed() {
  /usr/bin/time -f "%e %U %S" -o "$work/time.txt" "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
  awk '{printf "%.2f %.2f", $1, $2 + $3}' "$work/time.txt"
}

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
timed_make() {   # timed_make <project> <makefile> <jobs> [make arguments...]
  tm_project=$1 tm_makefile=$2 tm_jobs=$3
  shift 3
  (cd "$tm_project/CPP" && timed make -s -j"$tm_jobs" -f "$tm_makefile" "$@")
}
load() { awk '{print $1, $2, $3}' /proc/loadavg 2>/dev/null || uptime; }

row() { printf '| %-52s | %8s | %8s |\n' "$1" "$2" "$3"; }
measure_program() {   # measure_program <title> <program-folder> <module-to-change>
  title=$1 folder=$2 change=$3
  p="$work/p"; rm -rf "$p"; project "$p" "$folder"; chain "$p" "$p/modules"
  echo; echo "$title (load average before: $(load))"; echo; row "build" "wall s" "CPU s"; row "---" "---:" "---:"
  set -- $(timed_make "$p" Makefile2.mak 1); full2=$1 cpu2=$2; row "full, target 2 (one g++ call, -O3)" $1 $2
  rm -rf "$p/Make/obj"; set -- $(timed_make "$p" Makefile.mak 1); cpu41=$2; row "full, target 4, -j1" $1 $2
  rm -rf "$p/Make/obj"; set -- $(timed_make "$p" Makefile.mak 1 VYK_FLAGS=-O3); cpu43=$2
  row "full, target 4, -j1, -O3 as target 2" $1 $2
  rm -rf "$p/Make/obj"; set -- $(timed_make "$p" Makefile.mak 1 VYK_PCH=no); row "full, target 4, -j1, support header not precompiled" $1 $2
  rm -rf "$p/Make/obj"; set -- $(timed_make "$p" Makefile.mak 2); full42=$1; row "full, target 4, -j2" $1 $2
  body=0
  if [ -n "$change" ]; then
    sleep 1
    sed -i 's/^CONST K = .*/CONST K = 4242;/' "$p/$change"
    chain "$p" "$p/modules"; set -- $(timed_make "$p" Makefile.mak 2); body=$1
    row "after a body change ($change), -j2" $1 $2
    sleep 1
    sed -i 's/^\tv\*: INTEGER;/\tv*, w*: INTEGER;/' "$p/$change"
    chain "$p" "$p/modules"; set -- $(timed_make "$p" Makefile.mak 2)
    row "after an exported declaration change, -j2" $1 $2
  fi
  echo "$full2 $full42 $body $cpu2 $cpu41 $cpu43" | awk '{
    printf "\ntarget 2 / target 4 -j2 (wall): %.1fx", $1 / $2
    if ($3 > 0) printf "; body change / full -j2: %.0f%%", 100 * $3 / $2
    printf "\nCPU, target 2 / target 4 -j1: %.2fx (both at -O3: %.2fx)\n", $4 / $5, $4 / $6
  }'
  echo "load average after: $(load)"
}

sh "$here/../tools/genmodules.sh" "$work/gen" "$count"
measure_program "Generated program of $count modules" "$work/gen" "M$((count / 2)).vyk"

# The support header's share of a file's compile: a file that includes only the support header
# and a module's file against an empty file, each compiled alone at -O2 (best CPU of 5).
cpu_best() {   # cpu_best <source> [arguments...] : the least CPU seconds of five compiles
  for run in 1 2 3 4 5; do
    (cd "$work/p/CPP" && timed c++ -O2 "$@" -c -o "$work/x.o") | awk '{print $2}'
  done | sort -n | head -n 1
}
printf '#include "_VYK_sys.h"\n' >"$work/p/CPP/sys_only.cpp"
printf '\n' >"$work/p/CPP/empty.cpp"
m=M$((count / 2))
lines_sys=$(cd "$work/p/CPP" && c++ -E -P sys_only.cpp | wc -l)
lines_mod=$(cd "$work/p/CPP" && c++ -E -P "$m.cpp" | wc -l)
c_empty=$(cpu_best empty.cpp); c_sys=$(cpu_best sys_only.cpp); c_mod=$(cpu_best "$m.cpp")
# the same file with the support header that target 4 compiled for the program (at -O2)
pch="-iquote . -include ../Make/obj/pch/_VYK_sys.h"
c_pch_sys=$(cpu_best sys_only.cpp $pch); c_pch_mod=$(cpu_best "$m.cpp" $pch)
echo; echo "Support header"; echo
printf '| %-44s | %17s | %6s |\n' "file" "preprocessed lines" "CPU s" "---" "---:" "---:" \
  "empty file" "1" "$c_empty" "support header alone" "$lines_sys" "$c_sys" "$m.cpp" "$lines_mod" "$c_mod" \
  "support header alone, precompiled" "" "$c_pch_sys" "$m.cpp, support header precompiled" "" "$c_pch_mod"
echo "$c_empty $c_sys $c_mod $c_pch_sys $c_pch_mod" | awk '{
  printf "\nsupport header beyond an empty file: %.0f%% of %s.cpp'"'"'s compile", 100 * ($2 - $1) / $3, "'"$m"'"
  printf "; precompiled: %.0f%% of it\n", 100 * ($4 - $1) / $5 }'

# One module against a hello world of g++.
mkdir "$work/hello"
printf 'MODULE Hello;\nIMPORT Out;\nBEGIN\n\tOut.String("Hello, world!"); Out.Ln\nEND Hello.\n' >"$work/hello/Hello.vyk"
echo Hello.vyk >"$work/hello/modules"
p="$work/h"; project "$p" "$work/hello"
printf '#include <cstdio>\nint main() { std::puts("Hello, world!"); return 0; }\n' >"$work/hello.cpp"
best_of() {   # best_of <command...> : the least wall and CPU of five runs
  for run in 1 2 3 4 5; do timed "$@"; echo; done | sort -n | head -n 1
}
chain "$p" "$p/modules"
# make alone, from no objects; then the whole chain from a fresh project folder
printf 'cd "%s/CPP" && rm -rf ../Make/obj ../Make/Hello && make -s -j2 -f Makefile.mak\n' "$p" >"$work/one_make.sh"
printf 'cd "%s" && rm -rf CPP DFN Make && mkdir CPP DFN Make && "%s/VYK" Hello.vyk vydeskpro.tmp -a -m \\\n  && "%s/Vybind" CPP/_VYK_make.vym -a && "%s/Vygen" CPP/_VYK_make.vym CPP/Makefile.mak -p 4 -a \\\n  && cd CPP && make -s -j2 -f Makefile.mak\n' \
  "$p" "$bin" "$bin" "$bin" >"$work/one_chain.sh"
t4=$(best_of sh "$work/one_make.sh")
tc=$(best_of sh "$work/one_chain.sh")
gxx=$(best_of c++ -O2 -o "$work/hello.out" "$work/hello.cpp")
echo; echo "One module (-j2, best of 5)"; echo
row "build" "wall s" "CPU s"; row "---" "---:" "---:"
row "target 4: make" $t4
row "target 4: VYK, Vybind, Vygen and make" $tc
row "g++: hello world, compile and link" $gxx
echo "$t4 $tc $gxx" | awk '{printf "\none module / g++ hello world: make %.1fx wall, %.1fx CPU; whole chain %.1fx wall, %.1fx CPU\n", $1 / $5, $2 / $6, $3 / $5, $4 / $6}'
