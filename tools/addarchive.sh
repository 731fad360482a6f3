#!/bin/sh
# addarchive.sh: adds every member of one static library to another, in place.
#
#   usage: addarchive.sh <ar> <archive> <library to add>
#
# Run after the library archive is built, so that programs linked from it get
# the added library with no change to their link line. The added library's
# members must have distinct names (they are extracted into one folder first).
set -eu
[ $# -eq 3 ] || { echo "usage: addarchive.sh <ar> <archive> <library to add>" >&2; exit 2; }
ar=$1
archive=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
added=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
work=$(mktemp -d "${TMPDIR:-/tmp}/vykar.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
"$ar" x "$added"
members=$("$ar" t "$added")
if [ "$(printf '%s\n' "$members" | sort | uniq -d)" != "" ]; then
  echo "addarchive: $added has members of the same name" >&2; exit 1
fi
# shellcheck disable=SC2086 # member names are plain object file names
"$ar" qs "$archive" $members
