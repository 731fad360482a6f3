#!/bin/sh
# make demo: builds the multi-module example examples/modules (a calculator
# over exact rationals kept on a stack, three modules with import aliases)
# through VYK, Vybind, Vygen and make, and runs it.
bin=$1
root=$(cd "$(dirname "$0")/.." && pwd)
example=$root/examples/modules
echo "== $example: $(tr '\n' ' ' <"$example/modules")"
echo "== VYK, Vybind, Vygen and make with the toolchain in $bin; the program's output:"
sh "$root/tools/vykbuild.sh" "$bin" "$example"
