#!/bin/sh
# genmodules.sh: writes a VYK program of many modules, for build tests and benchmarks.
#
#   usage: genmodules.sh <folder> <count>
#
# Writes M1.vyk .. M<count>.vyk, Main.vyk and `modules` (the compilation order)
# into <folder>. Module Mi imports up to three earlier ones (M(i-1), M1, M2:
# the compiler reads a definition file again for every path that imports it,
# so imports spread over the whole program would cost exponential time), exports a record type, a variable and two procedures, and sets its
# variable once from its own procedures and its imports' variables; Main prints
# a checksum over the last modules. Each module's body constant K<i> sits in
# one line of its own ("CONST K = ..."), so a test can change a body alone.
set -eu
[ $# -eq 2 ] || { echo "usage: genmodules.sh <folder> <count>" >&2; exit 2; }
dir=$1
count=$2
mkdir -p "$dir"
: >"$dir/modules"
i=1
while [ "$i" -le "$count" ]; do
  imports=""
  for j in $((i - 1)) 1 2; do
    [ "$j" -lt "$i" ] || continue
    [ "$j" -ge 1 ] || continue
    case " $imports " in *" M$j "*) continue ;; esac
    imports="$imports M$j"
  done
  {
    echo "MODULE M$i;"
    [ -n "$imports" ] && echo "IMPORT$(echo "$imports" | sed 's/ M/ M/g; s/^ //; s/ /, /g; s/^/ /');"
    echo "CONST K = $((i * 7 + 3));"
    echo "TYPE"
    echo "	Pair* = RECORD a*, b*: INTEGER END;"
    echo "	Table = ARRAY 16 OF INTEGER;"
    echo "VAR"
    echo "	v*: INTEGER;"
    echo "	t: Table;"
    echo ""
    echo "PROCEDURE Mix*(x: INTEGER): INTEGER;"
    echo "	VAR i, s: INTEGER;"
    echo "BEGIN"
    echo "	s := x;"
    echo "	FOR i := 0 TO 15 DO"
    echo "		t[i] := (s * 31 + i * K) MOD 10007;"
    echo "		s := (s + t[i]) MOD 10007"
    echo "	END;"
    echo "	RETURN s"
    echo "END Mix;"
    echo ""
    echo "PROCEDURE Fill*(VAR p: Pair; x: INTEGER);"
    echo "BEGIN"
    echo "	p.a := Mix(x); p.b := Mix(p.a + K);"
    echo "	IF p.a > p.b THEN p.a := p.a - p.b ELSE p.b := p.b - p.a END;"
    echo "	WHILE p.a > 100 DO p.a := p.a DIV 2 END;"
    echo "	CASE p.b MOD 3 OF"
    echo "	  0: INC(p.b)"
    echo "	| 1: DEC(p.b)"
    echo "	ELSE p.b := p.b * 2"
    echo "	END"
    echo "END Fill;"
    echo ""
    echo "PROCEDURE Init;"
    echo "	VAR p: Pair;"
    echo "BEGIN"
    echo "	Fill(p, K);"
    echo "	v := (p.a + p.b) MOD 10007"
    for m in $imports; do echo "	; v := (v + $m.v) MOD 10007"; done
    echo "END Init;"
    echo ""
    echo "BEGIN"
    echo "	Init"
    echo "END M$i."
  } >"$dir/M$i.vyk"
  echo "M$i.vyk" >>"$dir/modules"
  i=$((i + 1))
done
{
  echo "MODULE Main;"
  echo "IMPORT Out, M$count;"
  echo "BEGIN"
  echo "	Out.String(\"checksum \"); Out.Int(M$count.v, 0); Out.Ln"
  echo "END Main."
} >"$dir/Main.vyk"
echo "Main.vyk" >>"$dir/modules"
