#!/usr/bin/env bash
# Fuzzes the store file reader for SECONDS (default 600) at low priority.
# Usage: scripts/fuzz.sh [SECONDS] [more libFuzzer options]
# The corpus grows in build/fuzz/corpus and is reused by the next run; any
# crashing input is saved in build/fuzz/findings/. Turn each one into a case
# of tests/unit/RegFileRobustnessTest.cpp. Replay one with:
#   build/fuzz/fuzz/regfile_fuzzer build/fuzz/findings/crash-...
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
shift || true
bash scripts/ensure-deps.sh build fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p build/fuzz/corpus build/fuzz/findings
seeds="$(ls examples/*.reg tests/stores/*.reg fuzz/seeds/*.reg | paste -sd, -)"
# Inputs up to 64 KiB reach the reader's longest-line and longest-name limits.
exec nice -n 19 build/fuzz/fuzz/regfile_fuzzer build/fuzz/corpus \
  -seed_inputs="$seeds" -dict=fuzz/regfile.dict -max_len=65536 \
  -max_total_time="$seconds" -artifact_prefix=build/fuzz/findings/ \
  -print_final_stats=1 "$@"
