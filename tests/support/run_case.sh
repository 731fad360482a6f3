#!/bin/sh
# Runs one command-line case.  usage: run_case.sh <case-folder> <bin-folder> <source-root>
#
# A case folder holds:
#   cmd      a sh script run in a fresh temporary folder; the toolchain's programs are on PATH,
#            $ROOT is the source tree, $LIB the standard library folder, $CASE the case folder
#   in/      files copied into the temporary folder first (optional)
#   stdin    standard input of the script (optional; otherwise /dev/null)
#   stdout   the exact expected standard output (optional: not checked when absent)
#   exit     the expected exit code (optional: 0 when absent)
#   expect/  files that must exist afterwards with exactly this content
#   lines/   files whose every line must appear, as a whole line, in the produced file
#   absent   paths, one a line, that must not exist afterwards
# With VYK_UPDATE=1 the runner rewrites stdout, exit and the files under expect/ instead.
set -u
# A case runs as from a user's shell, also when ctest runs under make (make test): an inherited
# MAKELEVEL would make the case's own make print the folders it enters.
unset MAKEFLAGS MFLAGS MAKELEVEL
case_dir=$(cd "$1" && pwd)
bin=$(cd "$2" && pwd)
root=$(cd "$3" && pwd)
name=$(basename "$case_dir")
work=$(mktemp -d "${TMPDIR:-/tmp}/vykcase.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/run"
[ -d "$case_dir/in" ] && cp -R "$case_dir/in/." "$work/run/"
input=/dev/null
[ -f "$case_dir/stdin" ] && input="$case_dir/stdin"

( cd "$work/run" && PATH="$bin:$PATH" ROOT="$root" LIB="$root/lib" CASE="$case_dir" \
    sh "$case_dir/cmd" ) <"$input" >"$work/stdout" 2>"$work/stderr"
code=$?

fail() { echo "FAIL $name: $*"; [ -s "$work/stderr" ] && { echo "--- stderr:"; head -c 4000 "$work/stderr"; }; exit 1; }

# Prints a unified diff of the first difference between the expected and the produced file.
differ() {
  echo "FAIL $name: $3 differs (first difference below)"
  diff -u "$1" "$2" | head -n 40
  [ -s "$work/stderr" ] && { echo "--- stderr:"; head -c 4000 "$work/stderr"; }
  exit 1
}

if [ "${VYK_UPDATE:-}" = 1 ]; then
  cp "$work/stdout" "$case_dir/stdout"
  if [ "$code" = 0 ]; then rm -f "$case_dir/exit"; else echo "$code" >"$case_dir/exit"; fi
  if [ -d "$case_dir/expect" ]; then
    (cd "$case_dir/expect" && find . -type f) | while read -r f; do
      if [ -f "$work/run/$f" ]; then cp "$work/run/$f" "$case_dir/expect/$f"; fi
    done
  fi
  echo "updated $name"
  exit 0
fi

want=0
[ -f "$case_dir/exit" ] && want=$(cat "$case_dir/exit")
[ "$code" = "$want" ] || { echo "--- stdout:"; head -c 4000 "$work/stdout"; fail "exit code $code, expected $want"; }

if [ -f "$case_dir/stdout" ]; then
  cmp -s "$case_dir/stdout" "$work/stdout" || differ "$case_dir/stdout" "$work/stdout" stdout
fi
if [ -d "$case_dir/expect" ]; then
  for f in $(cd "$case_dir/expect" && find . -type f | sort); do
    [ -f "$work/run/$f" ] || fail "file $f was not created"
    cmp -s "$case_dir/expect/$f" "$work/run/$f" || differ "$case_dir/expect/$f" "$work/run/$f" "$f"
  done
fi
if [ -d "$case_dir/lines" ]; then
  for f in $(cd "$case_dir/lines" && find . -type f | sort); do
    [ -f "$work/run/$f" ] || fail "file $f was not created"
    while IFS= read -r line; do
      grep -Fxq -- "$line" "$work/run/$f" || fail "$f lacks the line: $line"
    done <"$case_dir/lines/$f"
  done
fi
if [ -f "$case_dir/absent" ]; then
  while IFS= read -r f; do
    [ -z "$f" ] && continue
    [ -e "$work/run/$f" ] && fail "$f exists but must not"
  done <"$case_dir/absent"
fi
echo "PASS $name"
