#!/bin/sh
# Import-graph benchmark of VYK: a program of 100 modules where each module imports the three
# before it (M4 imports M1, M2, M3; M100 imports M97, M98, M99), so the last module reaches
# every other one by a great many paths. Every module is compiled in order, each five times;
# the best wall-clock times of the first and the last module and their ratio (each definition
# file read once per run gives a ratio near 1; a reader that follows every path grows
# exponentially with the depth).
# usage: import_graph.sh <bin-folder with VYK> [modules]   (run on demand; not part of ctest)
set -eu
bin=$(cd "$1" && pwd)
count=${2:-100}
work=$(mktemp -d "${TMPDIR:-/tmp}/vykimports.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir CPP DFN
i=1
while [ "$i" -le "$count" ]; do
  {
    echo "MODULE M$i;"
    imports=""
    j=$((i - 3)); [ "$j" -lt 1 ] && j=1
    while [ "$j" -lt "$i" ]; do imports="$imports${imports:+, }M$j"; j=$((j + 1)); done
    [ -n "$imports" ] && echo "IMPORT $imports;"
    echo "TYPE T* = RECORD a*, b*: INTEGER END; P* = POINTER TO T;"
    echo "VAR v*: T; p*: P;"
    echo "PROCEDURE F*(x: INTEGER): INTEGER; BEGIN RETURN x + $i END F;"
    echo "BEGIN v.a := F($i)"
    j=$((i - 3)); [ "$j" -lt 1 ] && j=1
    while [ "$j" -lt "$i" ]; do echo "; v.b := v.b + M$j.F(M$j.v.a)"; j=$((j + 1)); done
    echo "END M$i."
  } > "M$i.vyk"
  best=""
  for run in 1 2 3 4 5; do
    start=$(date +%s%N)
    "$bin/VYK" "M$i.vyk" -a > out.txt || { cat out.txt; exit 1; }
    end=$(date +%s%N)
    t=$(( (end - start) / 1000 ))
    if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
  done
  [ "$i" -eq 1 ] && first=$best
  last=$best
  i=$((i + 1))
done
awk -v f="$first" -v l="$last" -v n="$count" 'BEGIN {
  printf "module 1: %8.3f s   module %d: %8.3f s   ratio %.2f\n", f / 1e6, n, l / 1e6, l / f }'
