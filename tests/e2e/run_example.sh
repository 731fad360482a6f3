#!/bin/sh
# Runs one example program through the whole chain and compares its output.
#
#   usage: run_example.sh <bin-folder> <example-folder>
#
# An example folder holds the modules (and `modules`, their compilation order,
# when there are several), `expected` (the exact standard output), optionally
# `exit` (the expected exit code, 0 when absent), `stderr` (the exact standard
# error of a program that stops with a trap), `stdin` (standard input,
# /dev/null otherwise), `args` (the program's arguments, one a line), and
# `signaltrap`: the program stops with a trap that its own signal handler
# reports (a NIL dereference, a stack overflow); in a sanitizer build the
# sanitizers then leave those signals to the program and skip their NIL check;
# `pending`: a line naming a known fault of the toolchain that keeps the
# example from passing; such an example reports itself skipped (exit code 77)
# while it fails, with the fault and the failure, and passes once the fault is
# mended. With VYK_E2E_STRICT=1 a pending example fails like any other.
# Examples are built with the run-time checks (-c), as vykbuild.sh builds by
# default; `nochecks` marks one that shows what a program does without them.
set -u
skipped=77
here=$(cd "$(dirname "$0")" && pwd)
build="$here/../../tools/vykbuild.sh"
bin=$1
example=$(cd "$2" && pwd)
name=$(basename "$example")

work=$(mktemp -d "${TMPDIR:-/tmp}/vyke2e.XXXXXX")
trap 'rm -rf "$work"' EXIT
input=/dev/null
if [ -f "$example/signaltrap" ] && [ -n "${VYK_CXXFLAGS:-}" ]; then
  export VYK_CXXFLAGS="$VYK_CXXFLAGS -fno-sanitize=null"
  export ASAN_OPTIONS="handle_segv=0:handle_sigbus=0:handle_sigfpe=0:use_sigaltstack=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
fi
[ -f "$example/stdin" ] && input="$example/stdin"
if [ -f "$example/nochecks" ]; then export VYK_CHECKS=0; else export VYK_CHECKS=1; fi
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
if [ -f "$example/stderr" ] && ! cmp -s "$example/stderr" "$work/stderr"; then
  echo "FAIL $name: standard error differs (expected, then produced):"
  diff -u "$example/stderr" "$work/stderr" | head -n 60
  exit "$verdict"
fi
if [ -f "$example/pending" ]; then
  echo "PASS $name (the pending fault is mended: remove $example/pending)"
else
  echo "PASS $name"
fi
