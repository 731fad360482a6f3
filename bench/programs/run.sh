#!/bin/bash
# Runs the five VYK benchmark programs against their hand-written C++
# versions, both compiled with the makefile's flags; run on demand, not by ctest.
#
#   usage: bench/programs/run.sh <bin-folder> [repeats]
#
# Each program is built through the whole chain (tools/vykbuild.sh), each C++
# version with the same compiler and arguments as the target-2 makefile; both
# run `repeats` times (default 3) and the best processor time (user + system)
# counts. The outputs of the two versions must be equal. The VYK versions are built without
# the run-time checks unless VYK_CHECKS=1 (bench/checks_run.sh measures their cost). Prints one line per
# program: the times in seconds and the ratio VYK / C++.
set -u
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "$1" && pwd)
repeats=${2:-3}
cxx_flags="-fconserve-space -O3 -s"
work=$(mktemp -d "${TMPDIR:-/tmp}/vykbench.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Best processor time of `repeats` runs of a program, in seconds.
best_time() {
  local best="" t
  for ((r = 0; r < repeats; r++)); do
    t=$( { TIMEFORMAT='%U %S'; time "$1" >/dev/null; } 2>&1 | awk '{ printf "%.3f", $1 + $2 }')
    if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$t; fi
  done
  echo "$best"
}

printf '%-10s %9s %9s %7s\n' program "VYK s" "C++ s" ratio
status=0
for dir in "$here"/*/; do
  name=$(basename "$dir")
  cpp="$dir/$name.cpp"
  [ -f "$cpp" ] || continue
  vyk_exe=$(VYK_CHECKS=${VYK_CHECKS:-0} VYK_WORK="$work/$name" VYK_BUILD_ONLY=1 sh "$here/../../tools/vykbuild.sh" "$bin" "$dir" 2>"$work/$name.log")
  if [ $? != 0 ]; then
    printf '%-10s the VYK version was not built:\n' "$name"; head -n 20 "$work/$name.log"; status=1; continue
  fi
  c++ "$cpp" -o "$work/$name.cpp.exe" $cxx_flags || { status=1; continue; }
  if ! cmp -s <("$vyk_exe") <("$work/$name.cpp.exe"); then
    printf '%-10s the outputs differ:\n' "$name"
    diff <("$vyk_exe" 2>&1) <("$work/$name.cpp.exe" 2>&1) | head -n 10
    status=1
  fi
  v=$(best_time "$vyk_exe")
  c=$(best_time "$work/$name.cpp.exe")
  printf '%-10s %9s %9s %7s\n' "$name" "$v" "$c" "$(awk -v a="$v" -v b="$c" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }')"
done
exit $status
