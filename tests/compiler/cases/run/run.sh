# Builds and runs a small program through the compiler and g++, with a test-only entry point,
# an empty _VYK_ppp.h/.cpp in place of the linker's output and the test output module Log.
# usage (from a case's cmd):  sh "$CASE/../run.sh" <module>...   (the last module is the main one)
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
printf '#include "_VYK_main.h"\nint main() { VYK_SYS_main_init(); return 0; }\n' > CPP/test_main.cpp
g++ -std=c++17 -Wall -Wno-unused -Wno-unused-label -Wno-parentheses -ICPP -o prog CPP/*.cpp 2>gxx.log \
  || { echo "g++ failed"; head -n 30 gxx.log; exit 1; }
./prog
echo "exit $?"
