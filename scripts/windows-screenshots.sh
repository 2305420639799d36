#!/usr/bin/env bash
# Screenshots of the Windows program running under Wine on a virtual display
# (Xvfb): the main window's three pages and the About box, as PNG files in
# DIR. The Wine prefix first gets a simulated Windows XP machine with a
# Detonator driver (examples/sample-xp.reg), so that every page has something
# to show. Nothing is done on the machine's own display.
# Usage: windows-screenshots.sh DIR   (after the windows-x86_64 build; it uses
# $WINEPREFIX when set, made by wine-prefix.sh --display, a fresh one otherwise)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:?usage: windows-screenshots.sh DIR}
exe=build/windows-x86_64/src/windows/zorvanel.exe
[ -f "$exe" ] || { echo "windows-screenshots.sh: build the windows-x86_64 preset first" >&2; exit 1; }

if [ -z "${ZORVANEL_ON_XVFB:-}" ]; then
  bash scripts/ensure-deps.sh windows
  exec env ZORVANEL_ON_XVFB=1 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d)
own_prefix=
cleanup() {
  [ -n "$own_prefix" ] && { wineserver -k 2>/dev/null || true; }
  rm -rf "$work"
}
trap cleanup EXIT
if [ -z "${WINEPREFIX:-}" ]; then
  own_prefix=1
  export WINEPREFIX="$work/prefix"
  bash scripts/wine-prefix.sh --display
fi
# On a display Wine keeps the video key for a display of its own, so the
# sample machine's video key cannot be imported: the System information
# page shows it missing.
wine reg import "Z:${PWD//\//\\}\\examples\\sample-xp.reg" >/dev/null 2>&1 || true

# The program runs from a folder of its own, which becomes its current directory.
mkdir -p "$work/program" "$out"
cp "$exe" "$work/program/"
wine "$work/program/zorvanel.exe" >/dev/null 2>&1 &
program=$!

window=
for _ in $(seq 120); do
  window=$(xdotool search --onlyvisible --name '^Zorvanel v' 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.5
done
[ -n "$window" ] || { echo "windows-screenshots.sh: the main window did not appear" >&2; exit 1; }
sleep 1  # the first paint of every control
eval "$(xdotool getwindowgeometry --shell "$window")"
# The About box opens over the main window, so its area shows both.
shot() {
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/$1.png"
  echo "wrote $out/$1.png"
}
key() { xdotool windowfocus --sync "$window" 2>/dev/null || true; xdotool key "$@"; sleep 1; }

shot 1-introduction
key Right && shot 2-system-information
key Right && shot 3-settings
key alt+a && shot 4-about
xdotool key alt+F4              # the About box
# On a loaded machine the box can take a while to go; the main window takes
# no keys while it is there.
for _ in $(seq 40); do
  xdotool search --onlyvisible --name '^About\.\.\.$' >/dev/null 2>&1 || break
  sleep 0.5
done
key alt+F4                      # the main window: the program ends
for _ in $(seq 40); do kill -0 "$program" 2>/dev/null || break; sleep 0.5; done
if kill -0 "$program" 2>/dev/null; then
  echo "windows-screenshots.sh: the program did not end when its window was closed" >&2
  exit 1
fi
