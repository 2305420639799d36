#!/usr/bin/env bash
# Makes the Wine prefix ($WINEPREFIX) draw every window on a virtual desktop
# of the given size: Wine then draws the windows' frames itself and waits for
# no window manager, which a bare virtual display (Xvfb) does not have.
# Usage: wine-desktop.sh WIDTHxHEIGHT
set -euo pipefail
size=${1:?usage: wine-desktop.sh WIDTHxHEIGHT}
reg=$(mktemp --suffix=.reg)
trap 'rm -f "$reg"' EXIT
printf '%s\r\n' REGEDIT4 "" \
  '[HKEY_CURRENT_USER\Software\Wine\Explorer]' '"Desktop"="Default"' "" \
  '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' "\"Default\"=\"$size\"" >"$reg"
wine reg import "Z:${reg//\//\\}" >/dev/null 2>&1
