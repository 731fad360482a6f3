#!/bin/sh
# Builds a 20-module program with target 4 through distcc: a distccd started here on
# 127.0.0.1 (accepting 127.0.0.1 only, on a free port, stopped at the end) compiles every
# object, with local fallback turned off so that a compile it did not do fails the build.
#
#   usage: distcc_test.sh <bin-folder>
set -u
skipped=77
here=$(cd "$(dirname "$0")" && pwd)
root="$here/../.."
bin=$1
if ! command -v distccd >/dev/null 2>&1 || ! command -v distcc >/dev/null 2>&1; then
  echo "SKIP distcc: distccd is not installed (Debian package distcc; make deps installs it)"
  exit "$skipped"
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/vykdistcc.XXXXXX")
# distccd started by root works as another user: it must reach its log and the sources.
chmod 755 "$work"
mkdir "$work/.distcc"
: >"$work/distccd.log"
chmod 666 "$work/distccd.log"
daemon=""
stop() {
  [ -n "$daemon" ] && kill "$daemon" 2>/dev/null && wait "$daemon" 2>/dev/null
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 130' INT TERM

# A free port: the first of a range on which the daemon starts and stays up.
started=""
for port in $(seq 36320 36340); do
  distccd --daemon --no-detach --listen 127.0.0.1 --allow 127.0.0.1/32 --port "$port" --jobs 2 \
          --log-file "$work/distccd.log" --log-level info 2>>"$work/start.log" &
  daemon=$!
  sleep 1
  if kill -0 "$daemon" 2>/dev/null; then started=$port; break; fi
  wait "$daemon" 2>/dev/null
  daemon=""
done
[ -n "$started" ] || { echo "FAIL distcc: distccd could not be started"; tail -n 5 "$work/start.log"; exit 1; }

sh "$root/tools/genmodules.sh" "$work/src" 20
DISTCC_HOSTS="127.0.0.1:$started/2" DISTCC_FALLBACK=0 DISTCC_SKIP_LOCAL_RETRY=1 DISTCC_DIR="$work/.distcc" \
VYK_CXX="distcc c++" VYK_CCACHE=no VYK_WORK="$work/build" VYK_VERBOSE=1 \
  sh "$root/tools/vykbuild.sh" "$bin" "$work/src" >"$work/out" 2>"$work/err"
code=$?
fail() {
  echo "FAIL distcc: $*"
  echo "--- build:"; tail -n 40 "$work/err"
  echo "--- distccd log:"; tail -n 20 "$work/distccd.log" 2>/dev/null
  exit 1
}
[ "$code" = 0 ] || fail "the build ended with exit code $code"
grep -q "^checksum " "$work/out" || fail "the program printed $(cat "$work/out")"
objects=$(ls "$work/build/Make/obj" | grep -c '\.o$')
remote=$(grep -c "COMPILE_OK" "$work/distccd.log" 2>/dev/null)
[ "$objects" -ge 23 ] || fail "$objects objects, expected the 21 modules and the 2 support files"
[ "$remote" -ge "$objects" ] || fail "distccd compiled $remote of $objects objects"
echo "PASS distcc: $objects objects compiled by the distccd on 127.0.0.1:$started, $(cat "$work/out")"
