#!/usr/bin/env bash
# The Linux package: the .deb of the linux-package preset, checked by
# lintian, its dependencies checked against this machine, installed into a
# throwaway root and removed again; the installed program, desktop entry and
# manual page are tried from there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/ensure-deps.sh build desktop package

cmake --preset linux-package >/dev/null
cmake --build --preset linux-package -j2 --target package >/dev/null
deb=$(ls build/linux-package/zorvanel_*.deb)
echo "$deb: $(stat -c %s "$deb") bytes"
dpkg-deb --field "$deb" Version Depends Recommends

# Every warning and error fails; packaging/lintian-overrides says why each
# tag it silences does not apply.
lintian --fail-on error,warning --display-info "$deb"

# Depends, as dpkg-shlibdeps wrote them, are met here: apt would install
# nothing else with the package.
others=$(apt-get install --simulate --no-download "$PWD/$deb" 2>/dev/null |
           awk '$1 == "Inst" && $2 != "zorvanel"')
[ -z "$others" ] || { echo "the package needs more than this machine has:" >&2; echo "$others" >&2; exit 1; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
in_root() { fakeroot dpkg --root="$root" --force-not-root --force-depends --log=/dev/null "$@"; }
in_root -i "$deb" >/dev/null

usr=$root/usr
version=$("$usr/bin/zorvanel" --version)
echo "installed zorvanel --version: $version"
[[ $version == "Zorvanel v"* ]]
# The program finds its read-me and music where the package put them.
"$usr/bin/zorvanel" --help | awk -F': ' '/^The /{print $2}' | while read -r file; do
  [ -f "$file" ] || { echo "zorvanel --help names $file, which is not installed" >&2; exit 1; }
  case $file in "$usr"/*) ;; *) echo "$file lies outside the installation" >&2; exit 1 ;; esac
done
[ -f "$usr/share/zorvanel/sample-xp.reg" ]
for size in 16 22 24 32 48 64 128 256; do
  [ -s "$usr/share/icons/hicolor/${size}x${size}/apps/zorvanel.png" ]
done
desktop-file-validate "$usr/share/applications/zorvanel.desktop"
MANPAGER=cat MANWIDTH=80 man -l "$usr/share/man/man1/zorvanel.1.gz" 2>"$root/man-warnings" |
  grep -q "EXIT STATUS"
[ ! -s "$root/man-warnings" ] || { cat "$root/man-warnings" >&2; exit 1; }

in_root -r zorvanel >/dev/null
[ ! -e "$usr/bin/zorvanel" ] || { echo "dpkg -r left the program behind" >&2; exit 1; }
echo "the .deb installs, runs, shows its entry and manual page, and removes cleanly"
