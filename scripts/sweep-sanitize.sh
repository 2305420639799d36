#!/usr/bin/env bash
# The every-call-failing sweep of every scenario, on the store file and on
# hives, under the address and undefined-behaviour sanitizers. scripts/test.sh
# runs the sanitize preset with a fixed fifth of the scenarios' sweeps; this
# runs them all, which takes several times as long. Not part of CI.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/ensure-deps.sh build test desktop
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j2
ctest --test-dir build/sanitize -j2 --output-on-failure -R 'Sweep/'
