#!/bin/sh
# Compile-speed benchmark of VYK: generated modules of 1 000, 10 000 and 100 000 lines
# (declarations, procedures and statements of every kind), each compiled five times; the best
# wall-clock time, lines per second, and the ratio of the largest to the middle size (linear
# time gives about 10). On a busy machine take the best of several runs of the script.
# usage: run_bench.sh <bin-folder with VYK>   (run on demand; not part of ctest)
set -eu
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/vykbench.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir CPP DFN
for n in 1000 10000 100000; do
  python3 "$here/gen_module.py" "$n" "B$n" > "B$n.vyk"
  lines=$(wc -l < "B$n.vyk")
  for run in 1 2 3 4 5; do
    start=$(date +%s%N)
    "$bin/VYK" "B$n.vyk" -a > out.txt || { cat out.txt; exit 1; }
    end=$(date +%s%N)
    echo "$n $lines $(( (end - start) / 1000 ))" >> runs.txt
  done
done
awk '{ k = $1; if (!(k in t) || $3 < t[k]) t[k] = $3; l[k] = $2 }
     END {
       split("1000 10000 100000", order, " ")
       for (i = 1; i <= 3; ++i) {
         k = order[i]
         printf "%7d lines: %8.3f s  %8.0f lines/s\n", l[k], t[k] / 1e6, l[k] / (t[k] / 1e6)
       }
       printf "100 000 / 10 000 lines time ratio: %.2f\n", t[100000] / t[10000]
     }' runs.txt
