#!/bin/sh
# Runs one example program through the whole chain and compares its output.
#
#   usage: run_example.sh <bin-folder> <example-folder> <status-file>
#          run_example.sh --probe <bin-folder> <probe-folder> <status-file>
#
# An example folder holds the modules (and `modules`, their compilation order,
# when there are several), `expected` (the exact standard output), optionally
# `exit` (the expected exit code, 0 when absent), `stdin` (standard input,
# /dev/null otherwise) and `args` (the program's arguments, one a line).
#
# While the chain cannot yet build the probe program, the examples are
# reported as skipped (exit code 77) instead of failed: the probe writes
# "ready" or "missing" into the status file, which every example reads.
# With VYK_E2E_STRICT=1 nothing is skipped.
set -u
skipped=77
here=$(cd "$(dirname "$0")" && pwd)
build="$here/../../tools/vykbuild.sh"

if [ "$1" = --probe ]; then
  bin=$2; probe=$3; status=$4
  out=$(sh "$build" "$bin" "$probe" </dev/null 2>&1)
  if [ $? = 0 ] && [ "$out" = "$(cat "$probe/expected")" ]; then
    echo ready >"$status"; echo "the chain builds and runs programs"; exit 0
  fi
  echo missing >"$status"
  echo "the chain cannot build a program yet:"; echo "$out" | head -n 20
  [ "${VYK_E2E_STRICT:-}" = 1 ] && exit 1
  exit "$skipped"
fi

bin=$1; example=$(cd "$2" && pwd); status=$3
name=$(basename "$example")
if [ "${VYK_E2E_STRICT:-}" != 1 ] && [ "$(cat "$status" 2>/dev/null)" != ready ]; then
  echo "SKIP $name: the chain cannot build programs yet"
  exit "$skipped"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/vyke2e.XXXXXX")
trap 'rm -rf "$work"' EXIT
input=/dev/null
[ -f "$example/stdin" ] && input="$example/stdin"
set --
if [ -f "$example/args" ]; then
  while IFS= read -r line; do set -- "$@" "$line"; done <"$example/args"
fi
(cd "$work" && sh "$build" "$bin" "$example" "$@") <"$input" >"$work/stdout" 2>"$work/stderr"
code=$?
want=0
[ -f "$example/exit" ] && want=$(cat "$example/exit")

verdict=1
if [ -f "$example/pending" ] && [ "${VYK_E2E_STRICT:-}" != 1 ]; then
  echo "SKIP $name: pending: $(cat "$example/pending")"
  verdict=$skipped
fi
fail() {
  echo "FAIL $name: $*"
  echo "--- stderr:"; head -c 6000 "$work/stderr"
  exit "$verdict"
}
[ "$code" = 125 ] && [ "$want" != 125 ] && fail "the program was not built"
if ! cmp -s "$example/expected" "$work/stdout"; then
  echo "FAIL $name: standard output differs (expected, then produced):"
  diff -u "$example/expected" "$work/stdout" | head -n 60
  echo "--- exit code $code, stderr:"; head -c 6000 "$work/stderr"
  exit "$verdict"
fi
[ "$code" = "$want" ] || fail "exit code $code, expected $want"
if [ -f "$example/pending" ]; then
  echo "PASS $name (the pending fault is mended: remove $example/pending)"
else
  echo "PASS $name"
fi
