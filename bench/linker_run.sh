#!/bin/sh
# Times the linker on a generated program: 1000 link descriptions, 200 CASE types of 20
# specializations, 100 common procedures with 400 handlers each (numbers can be changed:
# they are passed on to bench/linker_gen.cpp). Builds an optimised Vybind of its own.
#   sh bench/linker_run.sh [modules cases specs procs handlers-per-proc]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/vyk-linker-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
g++ -std=c++17 -O2 -o "$work/linker_gen" "$root/bench/linker_gen.cpp"
g++ -std=c++17 -O2 -DNDEBUG -I"$root/linker" -I"$root/xml" -I"$root/common" -o "$work/Vybind" \
    "$root"/linker/*.cpp "$root/xml/Xml.cpp" "$root/common/TextFile.cpp" "$root/common/CppIdent.cpp"
mkdir "$work/CPP"
"$work/linker_gen" "$work/CPP" "$@"
echo "input: $(ls "$work/CPP" | wc -l) files, $(cat "$work"/CPP/* | wc -c) bytes"
# The machine may be shared: the CPU time (user + system) is the figure to compare.
for run in 1 2 3; do
  (cd "$work" && /usr/bin/time -f "run $run: %e s wall, %U s user, %S s system, %M KB peak" \
      ./Vybind CPP/_VYK_make.vym -a >"$work/out.txt") || { cat "$work/out.txt"; exit 1; }
done
tail -n 1 "$work/out.txt"
echo "output: $(wc -c <"$work/CPP/_VYK_ppp.h") + $(wc -c <"$work/CPP/_VYK_ppp.cpp") bytes"
