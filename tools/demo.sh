#!/bin/sh
# make demo: builds examples/common-shapes through VYK, Vybind, Vygen and make, and runs it.
# Its three modules declare a common type of shapes, add specializations to it from another
# module and compute areas through a common procedure whose handlers live in both modules:
# the run-time dispatch that sets VYK apart from plain Oberon-2.
# The modules are compiled with the run-time checks (-c); VYK_CHECKS=0 make demo builds
# without them.
bin=$1
root=$(cd "$(dirname "$0")/.." && pwd)
example=$root/examples/common-shapes
echo "== $example: $(tr '\n' ' ' <"$example/modules")"
echo "== VYK, Vybind, Vygen and make with the toolchain in $bin:"
VYK_VERBOSE=1 sh "$root/tools/vykbuild.sh" "$bin" "$example" 2>&1 >"${TMPDIR:-/tmp}/vyk-demo.out"
code=$?
echo "== the program's output:"
cat "${TMPDIR:-/tmp}/vyk-demo.out"
rm -f "${TMPDIR:-/tmp}/vyk-demo.out"
exit $code
