#!/usr/bin/env bash
# The mutation check: plants the faults in tests/mutants into the product
# one at a time, rebuilds, and runs the default suite, to show which faults
# the tests catch. Not part of CI: it rebuilds once per fault.
#
# Usage: scripts/mutants.sh [--quick] [NAME...]   (all faults when no name is given)
#
# Each fault is a sed script, tests/mutants/NAME.sed, whose "# File:" line
# names the file it changes. The suite runs in two passes, each stopping at
# its first failure: everything but the every-call-failing sweeps first, then
# the sweeps, which take minutes, only for a fault the first pass missed
# (--quick leaves them out: such a fault is then reported as missed by the
# quick pass).
# It builds in build/mutants, and puts every file back as it was, also when
# interrupted. The table goes to standard output and build/mutants/results.txt.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/mutants
mutants=tests/mutants
quick=false
if [ "${1-}" = --quick ]; then
  quick=true
  shift
fi
if [ $# -eq 0 ]; then
  set -- $(cd "$mutants" && ls -- *.sed | sed 's/\.sed$//')
fi

cmake --preset default -B "$build" >/dev/null
cmake --build "$build" >/dev/null

planted=""
backup="$build/planted.orig"
# The file gets back its content with a new time, so that the build notices.
restore() {
  if [ -n "$planted" ]; then
    cp "$backup" "$planted"
    planted=""
  fi
}
trap restore EXIT
trap 'exit 130' INT TERM

# ctest's list of failures, after its list of skipped tests:
# "  12 - Suite.Test  # GetParam() = ... (Failed)".
first_failure() {
  sed -n '/^The following tests FAILED:/,$ s/^[[:space:]]*[0-9]* - \(.*\) (.*)$/\1/p' "$1" |
    sed 's/  # GetParam.*//' | head -n 1
}

# Runs one pass; prints the first failing test, or nothing when all passed.
run_pass() {
  local log="$build/ctest.log"
  if ctest --test-dir "$build" -j2 --stop-on-failure "$@" >"$log" 2>&1; then return 0; fi
  local by
  by=$(first_failure "$log")
  echo "${by:-(ctest failed; see $log)}"
}

results="$build/results.txt"
: >"$results"
report() { printf '%-36s %s\n' "$1" "$2" | tee -a "$results"; }

caught=0
total=0
for name in "$@"; do
  script="$mutants/$name.sed"
  file=$(sed -n 's/^# File: //p' "$script")
  total=$((total + 1))
  cp -p "$file" "$backup"
  planted="$file"
  sed -i -f "$script" "$file"
  if cmp -s "$file" "$backup"; then
    restore
    report "$name" "DOES NOT APPLY (the code it changes has moved)"
    continue
  fi
  if ! cmake --build "$build" >"$build/build.log" 2>&1; then
    restore
    report "$name" "DOES NOT BUILD (see $build/build.log)"
    continue
  fi
  by=$(run_pass -E 'Sweep/')
  $quick || [ -n "$by" ] || by=$(run_pass -R 'Sweep/')
  restore
  if [ -n "$by" ]; then
    caught=$((caught + 1))
    report "$name" "caught by $by"
  elif $quick; then
    report "$name" "MISSED by the quick pass"
  else
    report "$name" "MISSED"
  fi
done
cmake --build "$build" >/dev/null
echo "$caught of $total planted faults caught." | tee -a "$results"
