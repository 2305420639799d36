#!/usr/bin/env bash
# Every test: the default build (warnings are errors), then the same tests
# under the address and undefined-behaviour sanitizers (with a fixed fifth of
# the every-call-failing sweeps; scripts/sweep-sanitize.sh runs them all),
# then the Linux package, then the Windows programs, cross-built and run
# under Wine, and their packages. The time of each stage is printed at the
# end, also when a stage fails.
set -euo pipefail
cd "$(dirname "$0")/.."

stages=()
current="" current_started=0
report_times() {
  local status=$?
  [ -z "$current" ] || stages+=("$current: failed after $((SECONDS - current_started)) s")
  echo "== time of each stage"
  printf '  %s\n' "${stages[@]}"
  echo "  total: $SECONDS s"
  exit "$status"
}
trap report_times EXIT
# stage NAME COMMAND...: runs the command and keeps its time under NAME.
stage() {
  current=$1 current_started=$SECONDS
  shift
  "$@"
  stages+=("$current: $((SECONDS - current_started)) s")
  current=""
}

stage "packages" bash scripts/ensure-deps.sh build test desktop fuzz
for preset in default sanitize; do
  stage "$preset build" bash -c 'cmake --preset "$1" && cmake --build --preset "$1"' _ "$preset"
  stage "$preset tests" ctest --preset "$preset" -j2
done
stage "Linux package" bash scripts/test-linux-package.sh
stage "Windows programs" bash scripts/test-windows.sh
