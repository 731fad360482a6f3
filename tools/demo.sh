#!/bin/sh
# make demo: runs one example program through the whole chain (placeholder until the chain exists).
bin=$1
echo "VYK toolchain built in $bin:"
ls "$bin"
