#!/usr/bin/env bash
# Makes a fresh Wine prefix at $WINEPREFIX and leaves its server running for
# the caller (so that each program then starts in a fraction of a second; the
# caller stops it with wineserver -k).
# By default the prefix is for programs without a display, run on its
# registry. With --display it is for a (virtual) display without a window
# manager, as Xvfb is: Wine then draws the windows' frames itself and waits
# for no window manager.
# Usage: wine-prefix.sh [--display]
set -euo pipefail
: "${WINEPREFIX:?wine-prefix.sh: set WINEPREFIX}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
wineserver -p
wineboot -i >/dev/null 2>&1

if [ "${1:-}" = --display ]; then
  reg="$WINEPREFIX/drive_c/display.reg"
  printf '%s\r\n' REGEDIT4 "" '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' \
    '"Managed"="N"' >"$reg"
  wine reg import 'C:\display.reg' >/dev/null 2>&1
  rm -f "$reg"
else
  # Wine keeps the video key (Control\Video) as a volatile key, below which
  # no ordinary key can be made, so reg could not import a driver's video
  # key. Windows keeps it on disk; the prefix gets it so, while Wine is
  # stopped. (Not on a display: Wine's display driver would then set up its
  # displays anew in every program and take back the display class key.)
  wineserver -k
  wineserver -w
  printf '\n[System\\\\CurrentControlSet\\\\Control\\\\Video] 0\n' >>"$WINEPREFIX/system.reg"
  wineserver -p
fi
