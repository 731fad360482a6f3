# Builds and runs a small program through the compiler and g++, with the library's entry point
# and traps (SYSTEM.cpp), an empty _VYK_ppp.h/.cpp in place of the linker's output and the test
# output module Log.
# usage (from a case's cmd):  sh "$CASE/../run.sh" <module>...   (the last module is the main one)
# RUN_CXXFLAGS adds g++ options (an optimisation level).
set -u
support=$(dirname "$0")/support
mkdir -p CPP DFN
cp "$support/Log.dfn" DFN/
cp "$support/Log.h" "$support/Log.cpp" CPP/
last=""
for m in "$@"; do last=$m; done
for m in "$@"; do
  if [ "$m" = "$last" ]; then VYK "$m.vyk" -m -a || exit 1; else VYK "$m.vyk" -a || exit 1; fi
done
: > CPP/_VYK_ppp.h
: > CPP/_VYK_ppp.cpp
g++ -std=c++17 ${RUN_CXXFLAGS:-} -Wall -Wno-unused -Wno-unused-label -Wno-parentheses -ICPP -o prog CPP/*.cpp "$LIB/SYSTEM.cpp" 2>gxx.log \
  || { echo "g++ failed"; head -n 30 gxx.log; exit 1; }
./prog
echo "exit $?"
