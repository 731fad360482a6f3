#!/bin/sh
# dispatch_run.sh <bin-folder> [calls]: builds the dispatch benchmark through the whole chain
# (tools/vykbuild.sh) and its hand-written C++ counterpart with the same flags (g++ -O3), runs
# each of the four modes of both, checks that they agree, and prints the time per call and the
# ratio VYK / C++. Not part of the test suite; run on demand.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "$1" && pwd)
calls=${2:-20000000}
work=$(mktemp -d "${TMPDIR:-/tmp}/vykdispatch.XXXXXX")
trap 'rm -rf "$work"' EXIT
sh "$here/dispatch_gen.sh" "$work/src"
vyk=$(VYK_WORK="$work/build" VYK_BUILD_ONLY=1 sh "$here/../tools/vykbuild.sh" "$bin" "$work/src" 2>"$work/build.err") || true
[ -n "$vyk" ] && [ -x "$vyk" ] || { echo "dispatch_run: the VYK program was not built:" >&2; cat "$work/build.err" >&2; exit 1; }
g++ -std=c++17 -O3 -o "$work/baseline" "$here/dispatch_baseline.cpp"

seconds() { # seconds <program> <mode>: wall time of one run, and its output in $work/out
  s=$(date +%s%N); "$1" "$2" "$calls" >"$work/out"; e=$(date +%s%N)
  echo $(( (e - s) / 1000 ))
}
printf '%-34s %12s %12s %8s\n' "mode ($calls calls)" "VYK ns/call" "C++ ns/call" "ratio"
for mode in 1 2 3 4; do
  case $mode in
    1) name="One, same specialization";; 2) name="One, random specializations";;
    3) name="Two, same specializations";; 4) name="Two, random specializations";;
  esac
  tv=$(seconds "$vyk" $mode); ov=$(cat "$work/out")
  tc=$(seconds "$work/baseline" $mode); oc=$(cat "$work/out")
  [ "$ov" = "$oc" ] || { echo "results differ in mode $mode: $ov / $oc" >&2; exit 1; }
  awk -v n="$name" -v v="$tv" -v c="$tc" -v k="$calls" \
    'BEGIN { printf "%-34s %12.2f %12.2f %8.2f\n", n, v * 1000 / k, c * 1000 / k, v / c }'
done
