#!/usr/bin/env bash
# Installs the Debian packages a build needs, when they are missing.
# Usage: ensure-deps.sh GROUP...   (groups: build test desktop windows package fuzz)
# As root it installs them with apt; otherwise it prints the line to run.
set -euo pipefail

packages_for() {
  case "$1" in
    build) echo cmake ninja-build g++ pkgconf libgtest-dev libgmock-dev libbenchmark-dev python3 \
                libhivex-dev libhivex-bin ;;
    desktop) echo qt6-base-dev pkgconf libsystemd-dev libfluidsynth-dev libasound2-dev \
                  fluid-soundfont-gm fonts-dejavu-core fonts-liberation xdg-utils xvfb xauth \
                  libxcb1-dev ;;
    windows) echo mingw-w64 wine wine64 xvfb xauth xdotool imagemagick unzip ;;
    package) echo dpkg-dev fakeroot lintian desktop-file-utils man-db ;;
    fuzz) echo clang libclang-rt-14-dev ;;
    # The reference the EDID parser is checked against, the disks Windows
    # lives on, mounted through FUSE from image files, and xz, which unpacks
    # the real hives beside the repository.
    test) echo edid-decode ntfs-3g dosfstools fusefat xz-utils ;;
    *) echo "ensure-deps.sh: unknown group $1" >&2; exit 2 ;;
  esac
}

wanted=()
for group in "$@"; do
  read -r -a list <<<"$(packages_for "$group")"
  wanted+=("${list[@]}")
done

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages. Install them with:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
