#!/bin/bash
# Runs the VYK benchmark programs against their hand-written C++ versions; run
# on demand, not by ctest.
#
#   usage: bench/programs/run.sh <bin-folder> [<before-bin-folder>]
#
# Every folder beside this script is one program: its modules (and `modules`,
# their order, when there are several) and, where it makes sense, <folder>.cpp,
# the hand-written C++ version, which must print the same. Each VYK program is
# built through the whole chain (tools/vykbuild.sh) with the toolchain of
# <bin-folder> and, when given, again with an older toolchain's bin folder
# (its library archive beside it, as the toolchain's build lays it out, and
# its library folder VYK_BEFORE_LIB, by default lib/ of the source tree that
# holds the build, when there is one: a library folder that does not match an
# archive is compiled from its sources, without the collector); both
# versions are compiled with the target-2 makefile's arguments, so that they
# meet at the same optimisation level (VYK_CXXFLAGS chooses others for the VYK
# versions; target 4 alone would use its default -O2). The VYK
# versions are built without the run-time checks unless VYK_CHECKS=1
# (bench/checks_run.sh measures their cost). The versions
# run in turns, VYK_BENCH_RUNS times (default 5), and the median processor
# time (user + system) counts; the peak memory is the largest resident size.
# Prints one line per program: the times in seconds, VYK / C++ (and before /
# C++), and the peak memory in MiB. A program whose folder has a file `live`
# (its largest live data in KiB) also gets its VYK peak over that.
set -u
here=$(cd "$(dirname "$0")" && pwd)
[ $# -ge 1 ] || { echo "usage: run.sh <bin-folder> [<before-bin-folder>]" >&2; exit 2; }
bin=$(cd "$1" && pwd)
before="" before_lib=""
if [ $# -ge 2 ]; then
  before=$(cd "$2" && pwd)
  before_lib=${VYK_BEFORE_LIB:-}
  [ -z "$before_lib" ] && [ -d "$before/../../lib" ] && before_lib=$(cd "$before/../../lib" && pwd)
fi
runs=${VYK_BENCH_RUNS:-5}
cxx_flags="-fconserve-space -O3 -s"
work=$(mktemp -d "${TMPDIR:-/tmp}/vykbench.XXXXXX")
trap 'rm -rf "$work"' EXIT

# One run: "<user+system seconds> <peak KiB>".
measure() {
  /usr/bin/time -f '%U %S %M' -o "$work/time" "$1" >/dev/null 2>&1
  awk '{ printf "%.3f %d\n", $1 + $2, $3 }' "$work/time"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR ? v[int((NR + 1) / 2)] : "-") }'; }
maximum() { sort -n | tail -n 1; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0 && a != "-") printf "%.2f", a / b; else print "-" }'; }
mib() { awk -v k="$1" 'BEGIN { if (k == "" || k == "-") print "-"; else printf "%.1f", k / 1024 }'; }

# Builds program folder $1 with bin folder $2 (and library folder $4, when given) into $3;
# prints the executable.
build() {
  VYK_LIB=${4:-$here/../../lib} VYK_CHECKS=${VYK_CHECKS:-0} VYK_CXXFLAGS=${VYK_CXXFLAGS:-$cxx_flags} VYK_WORK="$3" \
    VYK_BUILD_ONLY=1 sh "$here/../../tools/vykbuild.sh" "$2" "$1" 2>"$3.log"
}

if [ -n "$before" ]; then
  printf '%-10s %8s %8s %8s %8s %8s %8s %8s %8s\n' program "VYK s" "C++ s" VYK/C++ "before s" bef/C++ "VYK MiB" "C++ MiB" peak/live
else
  printf '%-10s %8s %8s %8s %8s %8s %8s\n' program "VYK s" "C++ s" VYK/C++ "VYK MiB" "C++ MiB" peak/live
fi
status=0
for dir in "$here"/*/; do
  dir=${dir%/}
  name=$(basename "$dir")
  ls "$dir"/*.vyk >/dev/null 2>&1 || continue
  exes=()
  if ! vyk=$(build "$dir" "$bin" "$work/$name.vyk"); then
    printf '%-10s the VYK version was not built:\n' "$name"; head -n 20 "$work/$name.vyk.log"; status=1; continue
  fi
  exes+=("$vyk")
  cpp=""
  if [ -f "$dir/$name.cpp" ]; then
    c++ "$dir/$name.cpp" -o "$work/$name.cpp.exe" $cxx_flags || { status=1; continue; }
    cpp="$work/$name.cpp.exe"
    exes+=("$cpp")
    if ! cmp -s <("$vyk" 2>&1) <("$cpp" 2>&1); then
      printf '%-10s the outputs differ:\n' "$name"
      diff <("$vyk" 2>&1) <("$cpp" 2>&1) | head -n 10
      status=1
    fi
  fi
  old=""
  if [ -n "$before" ]; then
    if old=$(build "$dir" "$before" "$work/$name.before" "$before_lib"); then exes+=("$old")
    else old=""; printf '%-10s (not built with the older toolchain)\n' "$name"
    fi
  fi
  for ((r = 0; r < runs; r++)); do
    for ((e = 0; e < ${#exes[@]}; e++)); do measure "${exes[$e]}" >>"$work/$name.$e"; done
  done
  v=$(cut -d' ' -f1 "$work/$name.0" | median); vk=$(cut -d' ' -f2 "$work/$name.0" | maximum)
  c="-" ck="-" o="-"
  [ -n "$cpp" ] && { c=$(cut -d' ' -f1 "$work/$name.1" | median); ck=$(cut -d' ' -f2 "$work/$name.1" | maximum); }
  if [ -n "$old" ]; then
    last=$((${#exes[@]} - 1))
    o=$(cut -d' ' -f1 "$work/$name.$last" | median)
  fi
  live="-"
  [ -f "$dir/live" ] && live=$(ratio "$vk" "$(cat "$dir/live")")
  if [ -n "$before" ]; then
    printf '%-10s %8s %8s %8s %8s %8s %8s %8s %8s\n' "$name" "$v" "$c" "$(ratio "$v" "$c")" "$o" "$(ratio "$o" "$c")" \
      "$(mib "$vk")" "$(mib "$ck")" "$live"
  else
    printf '%-10s %8s %8s %8s %8s %8s %8s\n' "$name" "$v" "$c" "$(ratio "$v" "$c")" "$(mib "$vk")" "$(mib "$ck")" "$live"
  fi
done
exit $status
