#!/usr/bin/env bash
# Screenshots of the Windows program running under Wine on a virtual display
# (Xvfb): the main window's three pages and the About box, as PNG files in
# DIR. The Wine prefix first gets a simulated Windows XP machine with a
# Detonator driver (examples/sample-xp.reg), so that every page has something
# to show. Nothing is done on the machine's own display.
# Usage: windows-screenshots.sh DIR   (after the windows-x86_64 build; it uses
# $WINEPREFIX when set, a fresh prefix otherwise)
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
  wineboot -i >/dev/null 2>&1
fi

# Wine draws the windows, frames and all, on a desktop of its own at the
# top left of the display: no window manager is needed.
desktop=640x600
bash scripts/wine-desktop.sh "$desktop"
wine reg import "Z:${PWD//\//\\}\\examples\\sample-xp.reg" >/dev/null 2>&1

# The program runs from a folder of its own, which becomes its current directory.
mkdir -p "$work/program" "$out"
cp "$exe" "$work/program/"
wine "$work/program/zorvanel.exe" >/dev/null 2>&1 &
program=$!

# What is drawn on the desktop, cut to the windows on it.
grab() { import -window root -crop "$desktop+0+0" +repage "$1"; convert "$1" -trim +repage "$1"; }
drawn_width() { grab "$work/probe.png"; identify -format %w "$work/probe.png"; }
for _ in $(seq 120); do
  [ "$(drawn_width 2>/dev/null || echo 0)" -ge 300 ] && break
  sleep 0.5
done
sleep 1  # the first paint of every control
shot() { grab "$out/$1.png"; echo "wrote $out/$1.png"; }

shot 1-introduction
xdotool key Right && sleep 1 && shot 2-system-information
xdotool key Right && sleep 1 && shot 3-settings
xdotool key alt+a && sleep 2 && shot 4-about
xdotool key alt+F4 && sleep 1   # the About box
xdotool key alt+F4              # the main window: the program ends
for _ in $(seq 20); do kill -0 "$program" 2>/dev/null || break; sleep 0.5; done
if kill -0 "$program" 2>/dev/null; then
  echo "windows-screenshots.sh: the program did not end when its window was closed" >&2
  exit 1
fi
