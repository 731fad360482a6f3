#!/usr/bin/env python3
"""Writes a VYK module of about N lines for the compile-speed benchmark.

The module mixes what a real program has: constants, records with base records, pointers,
arrays, module variables, and procedures whose bodies use every statement form. Names are
many and distinct, so a lookup that scans whole declaration lists shows up as quadratic time.
usage: gen_module.py <lines> <module-name>  (the text goes to standard output)
"""
import sys

PROC_LINES = 33  # lines one generated procedure takes


def procedure(i, out):
    out.append(f"PROCEDURE Proc{i}*(a: INTEGER; VAR b: INTEGER; s: ARRAY OF CHAR): INTEGER;")
    out.append("  VAR i, j, k: INTEGER; r: REAL; loc: ARRAY 8 OF INTEGER; p: Ptr%d;" % (i % 50))
    out.append("BEGIN")
    out.append("  k := 0; r := 1.5;")
    out.append(f"  FOR i := 0 TO 7 DO loc[i] := i * a + Const{i % 200} END;")
    out.append("  i := 0;")
    out.append("  WHILE (i < 8) & (k < 1000) DO")
    out.append("    k := k + loc[i] DIV 3 - loc[i] MOD 2;")
    out.append("    INC(i)")
    out.append("  END;")
    out.append("  REPEAT DEC(i) UNTIL i <= 0;")
    out.append("  IF a > 10 THEN b := a")
    out.append("  ELSIF a < 0 THEN b := -a")
    out.append("  ELSE b := 0")
    out.append("  END;")
    out.append("  CASE a MOD 4 OF")
    out.append("    0: k := k + 1")
    out.append("  | 1, 2: k := k + 2")
    out.append("  ELSE k := k - 1")
    out.append("  END;")
    out.append("  NEW(p); p.x := k; p.y := r * 2.0;")
    out.append(f"  glob{i % 100} := glob{i % 100} + p.x;")
    out.append("  LOOP")
    out.append("    INC(j);")
    out.append("    IF j > 3 THEN EXIT END")
    out.append("  END;")
    out.append("  IF LEN(s) > 2 THEN k := k + ORD(s[0]) END;")
    if i > 0:
        out.append(f"  k := k + Proc{i - 1}(a - 1, b, s);")
    else:
        out.append("  k := k + 1;")
    out.append("  j := ABS(k) + SHORT(ASH(a, 2));")
    out.append("  WITH p: Ptr%d DO p.x := j END;" % (i % 50))
    out.append("  RETURN k + j")
    out.append(f"END Proc{i};")
    out.append("")


def main():
    lines, name = int(sys.argv[1]), sys.argv[2]
    out = [f"MODULE {name};", "", "CONST"]
    for c in range(200):
        out.append(f"  Const{c}* = {c * 7};")
    out.append("TYPE")
    for t in range(50):
        out.append(f"  Rec{t}* = RECORD x*: INTEGER; y*: REAL END;")
        out.append(f"  Ptr{t}* = POINTER TO Rec{t};")
    out.append("VAR")
    for v in range(100):
        out.append(f"  glob{v}*: INTEGER;")
    out.append("")
    header = len(out)
    count = max(1, (lines - header - 4) // PROC_LINES)
    for i in range(count):
        procedure(i, out)
    out.append("BEGIN")
    out.append("  glob0 := 1")
    out.append(f"END {name}.")
    sys.stdout.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
