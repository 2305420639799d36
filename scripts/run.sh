#!/usr/bin/env bash
# Starts the desktop program, zorvanel, on its own store (a simulated
# Windows XP machine, made from examples/sample-xp.reg the first time).
# Arguments go to the program, e.g. --store FILE. Without a display it runs
# on a virtual one (xvfb-run), where it can only be pictured: see below.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/ensure-deps.sh build desktop
cmake --preset release >/dev/null
cmake --build --preset release --target zorvanel
program=build/release/src/zorvanel

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$program" "$@"
fi
cat >&2 <<'TEXT'
No display ($DISPLAY and $WAYLAND_DISPLAY are unset): starting zorvanel on a
virtual X display with xvfb-run, where its window cannot be seen. Press
Ctrl+C to stop it. To look at the window without a display, run
    bash scripts/screenshots.sh
and open the PNG files it writes; to watch the main job as text, run
    bash scripts/demo.sh
TEXT
exec xvfb-run -a "$program" "$@"
