#!/usr/bin/env bash
# The Windows programs: cross-built with mingw-w64 for 32-bit and 64-bit
# Windows and their executables checked; then, in a fresh Wine prefix and
# with no display, the 64-bit build's unit tests (the registry contract on
# Wine's registry among them) and the replay scenarios on Wine's registry,
# compared with the same expected transcripts as on Linux; then the zip
# packages, unpacked and run from a fresh folder; last, the native window on
# a virtual display, with screenshots.
# These machines cannot run 32-bit code under Wine, so the i686 build, the
# one for Windows 2000/XP, is compiled and checked but not run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/ensure-deps.sh build windows

started=$SECONDS
phase() { echo "== $1 ($((SECONDS - started)) s so far)"; }

# ---------------------------------------------------------------- build

phase "building the Windows programs"
for preset in windows-i686 windows-x86_64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j2
  cmake --build --preset "$preset" --target package >/dev/null
done
cmake --preset default >/dev/null
cmake --build --preset default -j2 --target zorvanel-wine-tool

i686_dir=build/windows-i686/src/windows
x64_dir=build/windows-x86_64/src/windows
tool=build/default/tests/zorvanel-wine-tool

# ---------------------------------------------------------------- executables

phase "checking the executables"
objdump=x86_64-w64-mingw32-objdump
# Every import as "dll name", or "dll #ordinal" for one by ordinal.
imports_of() {
  "$objdump" -p "$1" | awk '
    /DLL Name:/ {dll = tolower($3); next}
    /^\t[0-9a-f]+\t +[0-9]+ +/ {print dll " " ($3 == "<none>" ? "#" $2 : $3)}' | sort -u
}
allowed=$(grep -v '^#' scripts/windows-imports.txt | awk '{print $1" "$2}')
check_imports() {  # EXE: every import is one the reviewed list has
  local unknown
  unknown=$(imports_of "$1" | grep -vxF -f <(echo "$allowed") || true)
  if [ -n "$unknown" ]; then
    echo "$1 imports functions not known to be in Windows 2000/XP" \
         "(see scripts/windows-imports.txt):" >&2
    echo "$unknown" >&2
    return 1
  fi
}
# The export tables of the real systems' DLLs, beside the repository.
exports=../shared/xp-exports
# EXE EXPORTS [ABSENT]: every import, by name or by ordinal, is an export of
# its DLL in EXPORTS, and no function of ABSENT (the ones Windows 2000 lacks).
check_exports() {
  local missing
  missing=$(imports_of "$1" | awk -v exports="$2" -v absent="${3:-/dev/null}" '
    BEGIN {
      FS = "\t"
      while ((getline line < exports) > 0) {
        if (line ~ /^#/) continue
        split(line, f, "\t")
        known[f[1] " #" f[2]] = f[3]
        if (f[3] != "") known[f[1] " " f[3]] = f[3]
      }
      while ((getline line < absent) > 0) {
        if (line ~ /^#/) continue
        split(line, f, "\t")
        gone[f[1] " " f[2]] = 1
      }
      FS = " "
    }
    !($0 in known) {print $0 " (not exported)"; next}
    gone[$1 " " known[$0]] || gone[$1 " *"] {print $0 " (not in Windows 2000)"}')
  if [ -n "$missing" ]; then
    echo "$1 imports what $(basename "$2") does not offer:" >&2
    echo "$missing" >&2
    return 1
  fi
}
header_field() { "$objdump" -p "$1" | awk -v f="$2" '$1 == f {print $2}'; }
for exe in "$i686_dir/zorvanel.exe" "$i686_dir/zorvanel-replay.exe"; do
  [ "$(header_field "$exe" MajorSubsystemVersion).$(header_field "$exe" MinorSubsystemVersion)" = 4.0 ] ||
    { echo "$exe: subsystem version is not 4.0" >&2; exit 1; }
done
for exe in "$i686_dir/zorvanel.exe" "$i686_dir/zorvanel-replay.exe" \
           "$x64_dir/zorvanel.exe" "$x64_dir/zorvanel-replay.exe"; do
  check_imports "$exe"
done
if [ -d "$exports" ]; then
  # The program runs on Windows 2000; the replay runner needs XP.
  check_exports "$i686_dir/zorvanel.exe" "$exports/xp-sp3-x86.exports" "$exports/win2000-sp4-x86.absent"
  check_exports "$i686_dir/zorvanel-replay.exe" "$exports/xp-sp3-x86.exports"
  check_exports "$x64_dir/zorvanel.exe" "$exports/xp64-x64.exports"
  check_exports "$x64_dir/zorvanel-replay.exe" "$exports/xp64-x64.exports"
else
  echo "no $exports beside the repository: imports checked against scripts/windows-imports.txt only"
fi
[ "$(header_field "$i686_dir/zorvanel.exe" Subsystem)" = 00000002 ] ||
  { echo "zorvanel.exe is not a GUI-subsystem program" >&2; exit 1; }
for exe in "$i686_dir/zorvanel.exe" "$x64_dir/zorvanel.exe"; do
  echo "$exe: $(stat -c %s "$exe") bytes; imports" \
       "$("$objdump" -p "$exe" | awk '/DLL Name:/{printf "%s ", $3}')"
done
# The program for Windows 2000/XP stays small: nothing it links may bring in
# libstdc++'s iostreams, locales or std::filesystem, which are most of a
# megabyte linked statically.
max_size=$((400 * 1024))
size=$(stat -c %s "$i686_dir/zorvanel.exe")
[ "$size" -le "$max_size" ] ||
  { echo "$i686_dir/zorvanel.exe is $size bytes, more than $max_size" >&2; exit 1; }

# ---------------------------------------------------------------- Wine

phase "making a fresh Wine prefix"
work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() { wineserver -k 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
(unset DISPLAY; bash scripts/wine-prefix.sh)
windows_path() { echo "Z:${1//\//\\}"; }

phase "unit tests under Wine"
# Wine may end a test program that crashed with status 0; only the report
# that GoogleTest writes at the end shows that every test ran.
(unset DISPLAY; wine build/windows-x86_64/tests/win32/zorvanel_windows_tests.exe --gtest_brief=1 \
  --gtest_output="xml:$(windows_path "$work/unit-tests.xml")")
[ -s "$work/unit-tests.xml" ] || { echo "the unit tests under Wine did not run to the end" >&2; exit 1; }

# ---------------------------------------------------------------- scenarios

phase "replay scenarios on Wine's registry"
# The machine's registry only when asked for: neither --store nor --live, or
# both, is an error that runs nothing.
for options in "" "--live --store $(windows_path "$work/none.reg")"; do
  status=0
  # shellcheck disable=SC2086 # the options are words
  (unset DISPLAY; wine "$x64_dir/zorvanel-replay.exe" $options - <<<"start" \
     >"$work/out" 2>"$work/err") || status=$?
  if [ "$status" -ne 2 ] || [ -s "$work/out" ] || ! grep -q -- "--live" "$work/err"; then
    echo "zorvanel-replay.exe ${options:-without options}: exit $status, expected 2," \
         "no transcript, and a message naming --live" >&2
    cat "$work/out" "$work/err" >&2
    exit 1
  fi
done
header() {  # SCRIPT NAME: a directive of the scenario's leading comments
  awk -v key="# $2:" '!/^#/ {exit} index($0, key) == 1 {sub(key " *", ""); print; exit}' "$1"
}
# reg reports a key it cannot import on standard error, and may still exit 0.
import_reg() {
  local errors
  errors=$(wine reg import "$(windows_path "$1")" 2>&1 >/dev/null) && [ -z "$errors" ]
}
passed=0 failed=0 on_store=0 skipped=()
previous_store=()
while IFS= read -r script; do
  name=${script#tests/replay/scenarios/}
  # Wine enumerates a key's values by name, Windows in the order they were made.
  if [ "$(header "$script" value-order)" = creation ]; then
    skipped+=("$name")
    continue
  fi
  store=$(header "$script" store)
  read -r -a args <<<"$(header "$script" args)"
  program_dir=$(header "$script" program-dir)
  store_file=()
  [ -n "$store" ] && store_file=("tests/stores/$store")
  # Remove what the last scenario may have touched, and what this one's
  # store brings, so the store's keys are all there is of them.
  "$tool" reset "${previous_store[@]}" "${store_file[@]}" >"$work/reset.reg"
  import_reg "$work/reset.reg"
  previous_store=("${store_file[@]}")
  run=(--live --dump-keys "$(windows_path "$PWD/tests/stores/$store")")
  if [ -z "$store" ]; then
    run=(--live)
  elif ! import_reg "$PWD/tests/stores/$store"; then
    # A store that reg cannot import (one made to be unreadable) runs on the
    # substitute store, read by the Windows build.
    cp "tests/stores/$store" "$work/registry.reg"
    run=(--store "$(windows_path "$work/registry.reg")")
    on_store=$((on_store + 1))
  fi
  [ -n "$program_dir" ] && run+=(--program-dir "$(windows_path "$PWD/tests/replay/$program_dir")")
  status=0
  (unset DISPLAY; wine "$x64_dir/zorvanel-replay.exe" "${args[@]}" "${run[@]}" - \
     <"$script" >"$work/out" 2>"$work/err") || status=$?
  {
    cat "$work/out"
    if [ -s "$work/err" ]; then echo "--- standard error"; cat "$work/err"; fi
    if [ "$status" -ne 0 ]; then echo "--- exit $status"; fi
  } >"$work/transcript"
  if diff -u --label "$name (expected)" --label "$name (on Wine)" \
       <("$tool" canonical "${script%.replay}.expected") \
       <("$tool" canonical "$work/transcript") >"$work/diff"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    cat "$work/diff"
  fi
done < <(find tests/replay/scenarios -name '*.replay' | sort)
echo "replay scenarios under Wine: $passed passed, $failed failed" \
     "($on_store on the substitute store, the rest on Wine's registry);" \
     "${#skipped[@]} skipped, needing values in creation order: ${skipped[*]}"
[ "$failed" -eq 0 ] || exit 1

# ---------------------------------------------------------------- packages

phase "the zip packages"
root=$PWD
version=$(awk -F'"' '/kProgramVersion =/ {split($2, v, " "); print v[1]}' src/app/ProductKey.h)
for bits in win32 win64; do
  [ "$bits" = win32 ] && preset=windows-i686 || preset=windows-x86_64
  zip=build/$preset/zorvanel-$version-$bits.zip
  echo "$zip: $(stat -c %s "$zip") bytes"
  folder=zorvanel-$version-$bits
  listed=$(unzip -Z1 "$zip" | grep -v '/$' | sort | tr '\n' ' ')
  [ "$listed" = "$folder/licence.txt $folder/readme.txt $folder/refresh.dat $folder/zorvanel.exe " ] ||
    { echo "$zip holds: $listed" >&2; exit 1; }
  # Explorer's properties of the program: the version resource.
  for field in ProductName CompanyName FileDescription ProductVersion; do
    strings -el "build/$preset/src/windows/zorvanel.exe" | grep -qx "$field" ||
      { echo "$preset zorvanel.exe has no $field in its version resource" >&2; exit 1; }
  done
done
rm -rf "$work/unpacked" && mkdir "$work/unpacked"
unzip -q "build/windows-x86_64/zorvanel-$version-win64.zip" -d "$work/unpacked"
unpacked=$work/unpacked/zorvanel-$version-win64
# Notepad on Windows 2000/XP: CRLF line ends, 80 columns.
if grep -qv $'\r$' "$unpacked/readme.txt" ||
   ! awk 'length($0) > 81 {wide = 1} END {exit wide}' "$unpacked/readme.txt"; then
  echo "readme.txt has lines without CRLF or wider than 80 columns" >&2; exit 1
fi
head -c 4 "$unpacked/refresh.dat" | grep -q MThd || { echo "refresh.dat is no MIDI file" >&2; exit 1; }
# The program's logic from the unpacked folder, on Wine's registry: the
# read-me code asks for readme.txt there, the easter egg loads refresh.dat
# there (a missing file would add an error box to the transcript).
"$tool" reset "${previous_store[@]}" >"$work/reset.reg"
import_reg "$work/reset.reg"
for name in codes/readme codes/egg-music; do
  (cd "$unpacked" && unset DISPLAY && wine "$root/$x64_dir/zorvanel-replay.exe" --live - \
     <"$root/tests/replay/scenarios/$name.replay") >"$work/transcript" 2>&1
  diff -u --label "$name (expected)" --label "$name (from the unpacked zip)" \
    <("$tool" canonical "tests/replay/scenarios/$name.expected") \
    <("$tool" canonical "$work/transcript")
done
echo "the win64 zip runs from a fresh folder with its read-me and music"

# ---------------------------------------------------------------- screenshots

phase "the native toolkit and screenshots on a virtual display"
# A prefix of its own for the display: Wine's display driver owns the display
# class key and the video key there, which the scenarios above rewrote.
wineserver -k
export WINEPREFIX="$work/display-prefix"
xvfb-run -a -s "-screen 0 1024x768x24" env ZORVANEL_ON_XVFB=1 bash -c '
  status=0
  bash scripts/wine-prefix.sh --display &&
    wine "$1" --gtest_brief=1 &&
    bash scripts/windows-screenshots.sh "$2" || status=$?
  wineserver -k
  exit $status' _ \
  build/windows-x86_64/tests/win32/zorvanel_windows_ui_tests.exe build/windows-x86_64/screenshots

phase "done"
