#!/usr/bin/env bash
# The program's main job as text, without a screen: pick refresh rates,
# apply them to a simulated Windows XP machine and show the driver's
# rewritten keys.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/ensure-deps.sh build
cmake --preset release >/dev/null
cmake --build --preset release --target zorvanel-replay
store="$(mktemp -d)/registry.reg"
cp examples/sample-xp.reg "$store"
build/release/src/zorvanel-replay --store "$store" examples/demo.replay
