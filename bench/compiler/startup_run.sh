#!/bin/sh
# Start-up benchmark of the compiler: a 30-line module (imports Out, a record, two procedures)
# translated many times, against `true` and a trivial C++ program started as often, all in this
# run. Prints the mean wall and CPU time of one run and the peak resident size (/usr/bin/time).
# The compiler's own share is its time less the trivial program's.
# usage: startup_run.sh <bin-folder with VYK> [runs]      (run on demand; not part of ctest)
set -eu
bin=$(cd "$1" && pwd)
runs=${2:-200}
lib=$(cd "$(dirname "$0")/../../lib" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/vykstart.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir CPP DFN
printf 'IMPORT=%s/\n' "$lib" >p.pro
cat >Hello.vyk <<'VYK'
MODULE Hello;
IMPORT Out;

TYPE
  Point = RECORD x, y: INTEGER END;

VAR
  p: Point;
  i, sum: INTEGER;

PROCEDURE Add(a, b: INTEGER): INTEGER;
BEGIN
  RETURN a + b
END Add;

PROCEDURE Show(VAR q: Point);
BEGIN
  Out.String("("); Out.Int(q.x, 0); Out.String(", "); Out.Int(q.y, 0); Out.String(")"); Out.Ln
END Show;

BEGIN
  p.x := 3; p.y := 4;
  sum := 0;
  FOR i := 1 TO 10 DO sum := Add(sum, i) END;
  Show(p);
  Out.String("Hello, world! "); Out.Int(sum, 0); Out.Ln
END Hello.
VYK
printf '#include <cstdio>\nint main() { std::puts(""); return 0; }\n' >trivial.cpp
c++ -O2 -o trivial trivial.cpp
"$bin/VYK" Hello.vyk p.pro -m -a >out.txt || { cat out.txt; exit 1; }

# wall and CPU (user + system) milliseconds of one run, over `runs` runs of the command; the
# CPU time holds even on a busy machine
mean() {
  /usr/bin/time -f "%e %U %S" -o times.txt sh -c 'n=0; while [ $n -lt "$0" ]; do "$@" >/dev/null; n=$((n + 1)); done' "$runs" "$@"
  awk -v runs="$runs" '{printf "%.2f %.2f", $1 * 1000 / runs, ($2 + $3) * 1000 / runs}' times.txt
}
peak() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }
row() { printf '| %-28s | %8s | %8s | %9s |\n' "$@"; }
set -- $(mean /bin/true); w_true=$1 c_true=$2
set -- $(mean ./trivial); w_triv=$1 c_triv=$2
set -- $(mean "$bin/VYK" Hello.vyk p.pro -m -a); w_vyk=$1 c_vyk=$2
row "program" "wall ms" "CPU ms" "peak KiB"
row "---" "---:" "---:" "---:"
row "/bin/true" "$w_true" "$c_true" "$(peak /bin/true)"
row "trivial C++ program" "$w_triv" "$c_triv" "$(peak ./trivial)"
row "VYK, 30-line module" "$w_vyk" "$c_vyk" "$(peak "$bin/VYK" Hello.vyk p.pro -m -a)"
echo "$w_vyk $w_triv $c_vyk $c_triv" | awk '{printf "\nVYK / trivial C++ program: %.1fx wall, %.1fx CPU\n", $1 / $2, $3 / $4}'
