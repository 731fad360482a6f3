# Shell functions for the cases of error modules; a case's cmd reads them with
#   . "$ROOT/tests/support/expectations.sh"
#
# check_expectations [--tab-size <n>] [--project <file>] <module.vyk>...
# Compiles each module on its own (VYK <module> [<project>] -a) and compares what the compiler
# prints, and its exit code, byte for byte with what vykexpect derives from the expectations
# written in the module (see support/vykexpect.cpp). Prints "== <module>" and the difference
# for each module that differs. Returns 0 when all agree, 1 when one differs, and 2 at once
# when vykexpect cannot read a module's expectations.
check_expectations() {
  _tab= _project= _status=0
  while :; do
    case $1 in
      --tab-size) _tab="--tab-size $2"; shift 2;;
      --project) _project=$2; shift 2;;
      *) break;;
    esac
  done
  for _f in "$@"; do
    { VYK "$_f" $_project -a; echo "exit $?"; } >produced
    vykexpect $_tab "$_f" >expected || return 2
    cmp -s expected produced || { echo "== $_f"; diff expected produced; _status=1; }
  done
  return $_status
}
