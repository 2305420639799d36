#!/usr/bin/env bash
# The crash-safety test at scale: a child writing through to a store is
# killed with SIGKILL KILLS times (default 1000; the test suite does 200),
# and after every kill the store must hold the state before or after the
# write it cut. Prints the counts. Usage: crash-safety.sh [KILLS]
set -euo pipefail
cd "$(dirname "$0")/.."
kills="${1:-1000}"
cmake --preset default >/dev/null
nice -n 10 cmake --build --preset default -j2 --target zorvanel_tests zorvanel_store_writer
ZORVANEL_CRASH_KILLS="$kills" nice -n 10 build/default/tests/zorvanel_tests \
  --gtest_filter='CrashSafetyTest.*'
