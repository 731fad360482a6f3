#!/bin/sh
# dispatch_gen.sh <folder>: writes the dispatch benchmark program into <folder>: module Kinds
# (a common type of 8 specializations, One over one common parameter with 8 handlers and Two
# over two with 64) and the main module Bench, which calls them in a loop:
#   Bench <mode> <calls>   mode 1: One, same specialization each call   2: One, random
#                          mode 3: Two, same specializations each call  4: Two, random
# The random specializations come from a table of 4096 pseudo-random indices filled once.
set -eu
out=$1
mkdir -p "$out"
kinds="$out/Kinds.vyk"
{
  echo "MODULE Kinds;"
  echo "TYPE"
  echo "	Data* = RECORD n*: INTEGER END;"
  printf "	Kind* = CASE OF k0"
  for i in 1 2 3 4 5 6 7; do printf ", k%s" "$i"; done
  echo " : Data END;"
  echo "	KindPtr* = POINTER TO Kind;"
  echo "PROCEDURE One* {p: KindPtr} (x: INTEGER): INTEGER := 0;"
  echo "PROCEDURE Two* {p, q: KindPtr} (x: INTEGER): INTEGER := 0;"
  for i in 0 1 2 3 4 5 6 7; do
    echo "PROCEDURE One {p<k$i>: Kind} (x: INTEGER): INTEGER;"
    echo "BEGIN RETURN x + $i END One;"
  done
  for i in 0 1 2 3 4 5 6 7; do
    for j in 0 1 2 3 4 5 6 7; do
      echo "PROCEDURE Two {p<k$i>, q<k$j>: Kind} (x: INTEGER): INTEGER;"
      echo "BEGIN RETURN x + $((i * 8 + j)) END Two;"
    done
  done
  echo "PROCEDURE Make*(i: INTEGER): KindPtr;"
  echo "	VAR p: KindPtr;"
  echo "BEGIN"
  echo "	CASE i OF"
  for i in 0 1 2 3 4 5 6 7; do
    [ "$i" = 0 ] && printf "	  " || printf "	| "
    echo "$i: NEW(p<k$i>)"
  done
  echo "	END;"
  echo "	RETURN p"
  echo "END Make;"
  echo "END Kinds."
} >"$kinds"
cat >"$out/Bench.vyk" <<'VYK'
MODULE Bench;
IMPORT Out, Args, Kinds;

CONST
	Table = 4096;

VAR
	objs: ARRAY 8 OF Kinds.KindPtr;
	first, second: ARRAY Table OF INTEGER;
	arg: ARRAY 32 OF CHAR;
	mode, calls, i, k, seed, acc: LONGINT;
	p, q: Kinds.KindPtr;

PROCEDURE Number(VAR s: ARRAY OF CHAR): LONGINT;
	VAR i, n: LONGINT;
BEGIN
	n := 0; i := 0;
	WHILE (s[i] >= "0") & (s[i] <= "9") DO n := n * 10 + ORD(s[i]) - ORD("0"); INC(i) END;
	RETURN n
END Number;

BEGIN
	Args.Get(1, arg); mode := Number(arg);
	Args.Get(2, arg); calls := Number(arg);
	FOR i := 0 TO 7 DO objs[i] := Kinds.Make(SHORT(i)) END;
	seed := 12345;
	FOR i := 0 TO Table - 1 DO
		seed := (seed * 75 + 74) MOD 65537;
		first[i] := SHORT(seed DIV 8 MOD 8);
		seed := (seed * 75 + 74) MOD 65537;
		second[i] := SHORT(seed DIV 8 MOD 8);
		IF ODD(mode) THEN first[i] := 3; second[i] := 5 END
	END;
	acc := 0;
	IF mode <= 2 THEN
		FOR i := 1 TO calls DO
			k := i MOD Table; p := objs[first[k]];
			acc := (acc + Kinds.One{p}(SHORT(k))) MOD 1000000
		END
	ELSE
		FOR i := 1 TO calls DO
			k := i MOD Table; p := objs[first[k]]; q := objs[second[k]];
			acc := (acc + Kinds.Two{p, q}(SHORT(k))) MOD 1000000
		END
	END;
	Out.Int(acc, 0); Out.Ln
END Bench.
VYK
printf 'Kinds.vyk\nBench.vyk\n' >"$out/modules"
