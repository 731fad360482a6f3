#!/bin/sh
# Compile-speed benchmark of VYK: generated modules of 1 000, 10 000 and 100 000 lines
# (declarations, procedures and statements of every kind), each compiled three times; the best
# wall-clock and processor times, lines per second, and the ratio of the largest to the middle
# size (linear time gives about 10).
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
  for run in 1 2 3; do
    /usr/bin/time -f "%e %U %S" -o t.txt "$bin/VYK" "B$n.vyk" -a > out.txt || { cat out.txt; exit 1; }
    awk -v n="$n" -v l="$lines" '{ print n, l, $1, $2 + $3 }' t.txt >> runs.txt
  done
done
awk '{ k = $1; if (!(k in w) || $3 < w[k]) w[k] = $3; if (!(k in c) || $4 < c[k]) c[k] = $4; l[k] = $2 }
     END {
       split("1000 10000 100000", order, " ")
       for (i = 1; i <= 3; ++i) { k = order[i]; printf "%7d lines: wall %6.3f s (%7.0f lines/s), cpu %6.3f s (%7.0f lines/s)\n",
                           l[k], w[k], l[k] / (w[k] > 0 ? w[k] : 0.001), c[k], l[k] / (c[k] > 0 ? c[k] : 0.001) }
       printf "100 000 / 10 000 lines: wall ratio %.2f, cpu ratio %.2f\n", w[100000] / w[10000], c[100000] / c[10000]
     }' runs.txt
