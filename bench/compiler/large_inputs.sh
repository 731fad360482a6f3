#!/bin/sh
# Large-declaration benchmark of VYK: a record of 100 000 fields, a CASE of 40 000 labels and a
# procedure of 40 000 parameters, each also at a tenth of its size. Every module is compiled
# three times; the best wall-clock time of each size and the ratio of the full to the tenth size
# (lookups in constant time give about 10, quadratic ones about 100). The import-graph benchmark
# (import_graph.sh: 100 modules, each importing the three before it) runs at the end.
# usage: large_inputs.sh <bin-folder with VYK>   (run on demand; not part of ctest)
set -eu
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/vyklarge.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir CPP DFN

# fields <n>: a record of n fields, a variable of it and of an extension, the first and last used.
fields() {
  awk -v n="$1" 'BEGIN {
    print "MODULE Fields;"; print "TYPE R = RECORD"
    for (i = 0; i < n; i++) printf "  f%d: INTEGER%s\n", i, (i < n - 1 ? ";" : "")
    print "END;"; print "  S = RECORD (R) g: INTEGER END;"
    print "VAR r: R; s: S;"
    printf "BEGIN r.f0 := 1; r.f%d := r.f0; s.f%d := r.f%d; s.g := s.f0\nEND Fields.\n", n - 1, n - 1, n - 1
  }'
}
# labels <n>: a CASE of n single labels, each with its own statement, and an ELSE.
labels() {
  awk -v n="$1" 'BEGIN {
    print "MODULE Labels;"; print "VAR i, s: INTEGER;"; print "BEGIN"; print "  i := 7; s := 0;"
    print "  CASE i OF"
    for (k = 0; k < n; k++) printf "  %s %d: s := %d\n", (k ? "|" : " "), k, k
    print "  ELSE s := -1"; print "  END"; print "END Labels."
  }'
}
# params <n>: a function of n parameters that uses the first and the last.
params() {
  awk -v n="$1" 'BEGIN {
    print "MODULE Params;"; print "PROCEDURE P("
    for (k = 0; k < n; k++) printf "  p%d: INTEGER%s\n", k, (k < n - 1 ? ";" : "")
    printf "): INTEGER;\nBEGIN RETURN p0 + p%d\nEND P;\nEND Params.\n", n - 1
  }'
}

best() {   # best wall-clock microseconds of three compilations of $1
  b=""
  for run in 1 2 3; do
    start=$(date +%s%N)
    "$bin/VYK" "$1" -a > out.txt || { cat out.txt; exit 1; }
    end=$(date +%s%N)
    t=$(( (end - start) / 1000 ))
    if [ -z "$b" ] || [ "$t" -lt "$b" ]; then b=$t; fi
  done
  echo "$b"
}

for spec in "fields 100000" "labels 40000" "params 40000"; do
  set -- $spec
  what=$1 n=$2 small=$(($2 / 10))
  name=$(echo "$what" | awk '{ print toupper(substr($0, 1, 1)) substr($0, 2) }')
  "$what" "$small" > "$name.vyk"; t1=$(best "$name.vyk")
  "$what" "$n" > "$name.vyk"; t2=$(best "$name.vyk")
  awk -v w="$what" -v n="$n" -v s="$small" -v a="$t1" -v b="$t2" 'BEGIN {
    printf "%-7s %7d: %7.3f s   %6d: %7.3f s   ratio %6.2f\n", w, n, b / 1e6, s, a / 1e6, b / a }'
done
sh "$here/import_graph.sh" "$bin" 100
