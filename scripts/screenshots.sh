#!/usr/bin/env bash
# Pictures of the program's three pages, its About box and its monitor-limits
# window, drawn on Qt's offscreen platform (no display needed), written as PNG
# files.
# Usage: screenshots.sh [FOLDER]   (default: ./screenshots)
set -euo pipefail
out="$(realpath -m "${1:-screenshots}")"
cd "$(dirname "$0")/.."
bash scripts/ensure-deps.sh build desktop
cmake --preset release >/dev/null
cmake --build --preset release --target zorvanel-screenshots
QT_QPA_PLATFORM=offscreen build/release/src/zorvanel-screenshots "$out"
