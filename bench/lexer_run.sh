#!/bin/sh
# Builds the lexer benchmark with optimisation and runs it on a generated source.
#   sh bench/lexer_run.sh [size-in-MB]        (default 50)
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
out=${TMPDIR:-/tmp}/vyk-lexer-bench
g++ -std=c++17 -O2 -DNDEBUG -I"$root/compiler" -I"$root/common" -o "$out" \
    "$root/bench/lexer_bench.cpp" "$root/compiler/front/Lexer.cpp" "$root/compiler/front/Diagnostics.cpp" \
    "$root/compiler/front/Messages.cpp" "$root/common/TextFile.cpp"
"$out" "${TMPDIR:-/tmp}/vyk-lexer-bench.vyk" "${1:-50}"
rm -f "$out"
