#!/usr/bin/env bash
# The desktop program's start beside a bare Qt program with the same widgets,
# on a virtual display: the time from exec to the first window's MapNotify,
# and the peak resident size then. Not part of ctest; run it by hand:
#
#   cmake --preset release && cmake --build --preset release
#   bash benchmarks/start/run.sh [RUNS]            (default 12 runs of each)
#
# ZORVANEL=PATH measures another build of the program (for a before/after).
# On a Windows installation the start also checks both hives whole; the time
# of that check on the real Windows 7 system hive (11 MB, from the corpus
# beside the repository) follows the table.
# The two programs start alternately, after one start of each that is not
# counted (it fills the font and file caches). The goal is at most 1.15
# times the bare program in both figures.
set -euo pipefail

root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${BUILD:-$root/build/release}"
runs="${1:-12}"
zorvanel="${ZORVANEL:-$build/src/zorvanel}"
watch="$build/benchmarks/start/zorvanel_start_watch"
bare="$build/benchmarks/start/zorvanel_bare_window"
for program in "$zorvanel" "$watch" "$bare"; do
  [ -x "$program" ] || { echo "run.sh: $program is not built (see the top of this script)" >&2; exit 1; }
done

if [ -z "${START_BENCHMARK_DISPLAY:-}" ]; then
  exec env START_BENCHMARK_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$@"
fi
unset QT_QPA_PLATFORM

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
cp "$root/examples/sample-xp.reg" "$work/store.reg"

measure() {  # NAME PROGRAM...: one start, appended to $work/NAME
  local name="$1"; shift
  "$watch" "$@" >>"$work/$name" 2>>"$work/errors" || { cat "$work/errors" >&2; exit 1; }
}
measure warm-up "$zorvanel" --store "$work/store.reg"
measure warm-up "$bare"
for _ in $(seq "$runs"); do
  measure zorvanel "$zorvanel" --store "$work/store.reg"
  measure bare "$bare"
done

median() {  # FILE COLUMN
  cut -d' ' -f"$2" "$1" | sort -n |
    awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
summary() {  # NAME: the medians of each column, the size in MiB
  printf '%s %s %s %s' "$(median "$work/$1" 1)" "$(median "$work/$1" 2)" \
    "$(median "$work/$1" 3 | awk '{ print $1 / 1024 }')" "$(median "$work/$1" 4)"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
read -r z_ms z_cpu z_mib z_libs <<<"$(summary zorvanel)"
read -r b_ms b_cpu b_mib b_libs <<<"$(summary bare)"
echo "medians of $runs starts each, from exec to the first window's MapNotify:"
printf '%-9s %10s %10s %15s %10s\n' "" "time (ms)" "CPU (ms)" "peak RSS (MiB)" "libraries"
printf '%-9s %10.1f %10.1f %15.1f %10d\n' zorvanel "$z_ms" "$z_cpu" "$z_mib" "$z_libs"
printf '%-9s %10.1f %10.1f %15.1f %10d\n' "bare Qt" "$b_ms" "$b_cpu" "$b_mib" "$b_libs"
printf '%-9s %10s %10s %15s %10s   (goal: time and RSS at most 1.15)\n' ratio \
  "$(ratio "$z_ms" "$b_ms")" "$(ratio "$z_cpu" "$b_cpu")" "$(ratio "$z_mib" "$b_mib")" \
  "$(ratio "$z_libs" "$b_libs")"
hive_bench="$build/benchmarks/zorvanel_hive_bench"
if [ -x "$hive_bench" ]; then
  "$hive_bench" --benchmark_filter=WholeCheckOfWindows7System --benchmark_min_time=1 2>/dev/null |
    awk '/WholeCheck/ { printf "whole check of the Windows 7 system hive, made before a start on it: %s %s (CPU %s %s)\n", $2, $3, $4, $5 }'
fi
