#!/usr/bin/env bash
# Every test: the default build (warnings are errors), then the same tests
# under the address and undefined-behaviour sanitizers, then the Linux
# package, then the Windows programs, cross-built and run under Wine, and
# their packages.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/ensure-deps.sh build test desktop fuzz
for preset in default sanitize; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset" -j2
done
bash scripts/test-linux-package.sh
bash scripts/test-windows.sh
