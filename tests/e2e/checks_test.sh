#!/bin/sh
# The run-time checks (-c) through the whole chain: tests/e2e/checks/ is built once with
# them and run once per line of its `expected` file. Each case must print its line before
# the trap, write the trap's line (code, message, module, line and column) on standard error
# and end with the trap's code. VYK_CXXFLAGS (a sanitizer build) applies.
#
#   usage: checks_test.sh <bin-folder>
set -u
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "$1" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/vykchecks.XXXXXX")
trap 'rm -rf "$work"' EXIT

exe=$(VYK_CHECKS=1 VYK_WORK="$work/p" VYK_BUILD_ONLY=1 sh "$here/../../tools/vykbuild.sh" "$bin" "$here/checks") || {
  echo "FAIL checks: the program was not built"; exit 1; }
export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
failed=0
while IFS='|' read -r name out err; do
  case "$name" in '#'*|'') continue ;; esac
  name=$(echo $name); out=$(echo $out); err=$(echo $err)
  code=$(echo "$err" | sed 's/^TRAP \([0-9]*\):.*/\1/')
  "$exe" "$name" >"$work/stdout" 2>"$work/stderr"
  got=$?
  if [ "$(cat "$work/stdout")" != "$out" ] || [ "$(cat "$work/stderr")" != "$err" ] || [ "$got" != "$code" ]; then
    echo "FAIL $name: exit $got (expected $code)"
    echo "--- stdout (expected: $out):"; cat "$work/stdout"
    echo "--- stderr (expected: $err):"; cat "$work/stderr"
    failed=1
  else
    echo "PASS $name"
  fi
done <"$here/checks/expected"
exit $failed
