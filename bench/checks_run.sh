#!/bin/bash
# The cost of the run-time checks (-c): every program folder under bench/programs and every
# example program that runs long enough, built through the whole chain (tools/vykbuild.sh,
# the makefile's -O2) with the checks and without them, and against its hand-written C++ twin
# (a *.cpp in the folder, compiled with the same -O2) where there is one. With an older bin
# folder the default build (no -c) of that compiler runs too, to show that the default build
# is as fast as before. Run on demand, not by ctest.
#
#   usage: bench/checks_run.sh <bin-folder> [<older-bin-folder>] [repeats]
#
# Each variant runs `repeats` times (default 5), the variants of a program taking turns, and
# the median processor time (user + system) counts. The outputs of all variants must be equal.
# Prints one row per program and the geometric means: checks on / off (target: at most 1.10)
# and, with an older compiler, this compiler / the older one (both without checks).
# An example counts when its run without checks takes at least MIN_SECONDS (default 0.05).
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
bin=$(cd "$1" && pwd) || exit 2
old=""
[ $# -ge 2 ] && [ -n "$2" ] && { old=$(cd "$2" && pwd) || exit 2; }
repeats=${3:-5}
min_seconds=${MIN_SECONDS:-0.05}
work=$(mktemp -d "${TMPDIR:-/tmp}/vykchecks.XXXXXX")
trap 'rm -rf "$work"' EXIT
unset VYK_CXXFLAGS

# Processor time of one run of "$@" with the folder's input, in seconds.
cpu_time() {   # cpu_time <input> <program> [args...]
  local input=$1; shift
  { TIMEFORMAT='%U %S'; time "$@" <"$input" >/dev/null 2>&1; } 2>&1 | awk '{ printf "%.3f", $1 + $2 }'
}
median() { tr ' ' '\n' | grep . | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.3f", a / b; else print "-" }'; }

# build <variant> <bin> <checks> <folder>: the program's path, or "" when it was not built.
build() {
  VYK_CHECKS=$3 VYK_WORK="$work/$name.$1" VYK_BUILD_ONLY=1 VYK_CCACHE=no \
    sh "$root/tools/vykbuild.sh" "$2" "$4" 2>"$work/$name.$1.log" || { echo ""; return; }
}

folders=""
for d in "$here"/programs/*/; do ls "$d"*.vyk >/dev/null 2>&1 && folders="$folders $d"; done
for d in "$root"/examples/*/; do
  # programs that end normally, with their expected output
  [ -f "$d/expected" ] && [ ! -f "$d/exit" ] && [ ! -f "$d/pending" ] && folders="$folders example:$d"
done

printf '| %-14s | %8s | %8s | %7s | %8s | %7s | %8s | %7s |\n' program "off s" "on s" "on/off" "older s" "off/old" "C++ s" "off/C++"
echo "|---|---:|---:|---:|---:|---:|---:|---:|"
on_off="" off_old="" short_examples="" status=0
for entry in $folders; do
  example=""
  case "$entry" in example:*) example=1; dir=${entry#example:} ;; *) dir=$entry ;; esac
  dir=${dir%/}
  name=$(basename "$dir")
  input=/dev/null
  [ -f "$dir/stdin" ] && input="$dir/stdin"
  set --
  if [ -f "$dir/args" ]; then
    while IFS= read -r line; do set -- "$@" "$line"; done <"$dir/args"
  fi
  off=$(build off "$bin" 0 "$dir")
  [ -n "$off" ] || { echo "$name: not built without checks"; head -n 20 "$work/$name.off.log"; status=1; continue; }
  if [ -n "$example" ]; then
    t=$(cpu_time "$input" "$off" "$@")
    if awk -v t="$t" -v m="$min_seconds" 'BEGIN { exit !(t < m) }'; then
      short_examples="$short_examples $name"; continue
    fi
  fi
  on=$(build on "$bin" 1 "$dir")
  [ -n "$on" ] || { echo "$name: not built with checks"; head -n 20 "$work/$name.on.log"; status=1; continue; }
  variants="off on"
  exe_off=$off exe_on=$on
  if [ -n "$old" ]; then
    exe_old=$(build old "$old" 0 "$dir")
    if [ -n "$exe_old" ]; then variants="$variants old"
    else echo "$name: not built by the older compiler"; head -n 5 "$work/$name.old.log"; fi
  fi
  cpp=$(ls "$dir"/*.cpp 2>/dev/null | head -n 1)
  if [ -n "$cpp" ] && c++ -O2 "$cpp" -o "$work/$name.cpp.exe" 2>"$work/$name.cpp.log"; then
    exe_cpp="$work/$name.cpp.exe"; variants="$variants cpp"
  fi
  "$exe_off" "$@" <"$input" >"$work/$name.want" 2>&1
  for v in $variants; do
    eval "exe=\$exe_$v"
    if ! "$exe" "$@" <"$input" 2>&1 | cmp -s - "$work/$name.want"; then
      echo "$name: the output of the $v build differs from the build without checks"; status=1
    fi
  done
  for v in $variants; do eval "times_$v="; done
  for ((r = 0; r < repeats; r++)); do
    for v in $variants; do
      eval "exe=\$exe_$v"
      t=$(cpu_time "$input" "$exe" "$@")
      eval "times_$v=\"\$times_$v $t\""
    done
  done
  for v in off on old cpp; do eval "m_$v=-"; done
  for v in $variants; do eval "m_$v=\$(echo \$times_$v | median)"; done
  r_on=$(ratio "$m_on" "$m_off"); on_off="$on_off $r_on"
  r_old=-; [ "$m_old" != - ] && { r_old=$(ratio "$m_off" "$m_old"); off_old="$off_old $r_old"; }
  r_cpp=-; [ "$m_cpp" != - ] && r_cpp=$(ratio "$m_off" "$m_cpp")
  printf '| %-14s | %8s | %8s | %7s | %8s | %7s | %8s | %7s |\n' "$name" "$m_off" "$m_on" "$r_on" "$m_old" "$r_old" "$m_cpp" "$r_cpp"
done

[ -n "$short_examples" ] && echo "examples that run under $min_seconds s without checks, left out:$short_examples"
geomean() { echo "$1" | tr ' ' '\n' | grep . | awk '$1 > 0 { s += log($1); n++ } END { if (n) printf "%.3f", exp(s / n); else print "-" }'; }
echo
g=$(geomean "$on_off")
echo "checks on / off, geometric mean: $g ($(awk -v g="$g" 'BEGIN { if (g != "-") printf "%+.1f%%", (g - 1) * 100 }'); target at most +10%)"
[ -n "$old" ] && echo "this compiler / older compiler, both without checks, geometric mean: $(geomean "$off_old")"
exit $status
