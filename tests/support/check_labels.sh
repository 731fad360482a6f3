#!/bin/sh
# Every test of the build carries exactly one of the kind labels, so that `ctest -L <kind>`
# runs one kind and the five kinds together run every test.  usage: check_labels.sh <ctest>
# (run by ctest in the build's tests folder)
ctest=$1
kinds='unit cli gxx desk e2e'
count() { "$ctest" -N "$@" | sed -n 's/^Total Tests: //p'; }
status=0
unlabelled=$("$ctest" -N -LE '^(unit|cli|gxx|desk|e2e)$' | sed -n 's/^ *Test *#[0-9]*: //p')
if [ -n "$unlabelled" ]; then
  echo "tests without a kind label:"
  echo "$unlabelled"
  status=1
fi
total=$(count)
sum=0
for k in $kinds; do
  n=$(count -L "^$k\$")
  echo "$k: $n"
  sum=$((sum + n))
done
if [ "$sum" != "$total" ]; then
  echo "the kinds count $sum tests of $total: some test has two kind labels"
  status=1
fi
exit $status
