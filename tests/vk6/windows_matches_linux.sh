#!/usr/bin/env bash
# vk6.exe under Wine does what the Linux vk6 does with PNG pictures, named as
# Windows users name them (drive letters, backslashes, %03d, names outside
# ASCII): a PNG sequence encodes to the same stream bytes, a decode gives the
# same PNG files, a damaged PNG is refused with a message and leaves no file
# behind, and so does a write that fails.
#   windows_matches_linux.sh VK6_EXE LINUX_VK6 STREAM
set -euo pipefail
exe=$(realpath "$1") vk6=$(realpath "$2") stream=$(realpath "$3")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
for file in "$vk6" "$stream"; do
  [ -e "$file" ] || { echo "missing $file: the native build makes it (make native)"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Wine takes the command line and file names in the locale's encoding.
export LC_ALL=C.UTF-8

# The Windows name of a path: Wine's drive Z: is the root folder.
windows() { local path=${1//\//\\}; printf 'Z:%s' "$path"; }
# win ARGUMENTS...: vk6.exe in the work folder; its output in $work/win.out and .err.
win() { (cd "$work" && "$root/scripts/wine-run.sh" "$exe" "$@" >"$work/win.out" 2>"$work/win.err"); }
fail() { echo "$*"; [ -s "$work/win.err" ] && sed 's/^/  vk6.exe: /' "$work/win.err"; exit 1; }
# nothing_left FOLDER COUNT: the folder holds COUNT files, none of them a .part.
nothing_left() {
  local found
  found=$(find "$1" -mindepth 1 | wc -l)
  [ "$found" -eq "$2" ] || { ls -la "$1"; fail "$1 holds $found files, not $2"; }
  if [ -n "$(find "$1" -name '*.part')" ]; then fail "a temporary file was left in $1"; fi
}

# A PNG sequence of 12 frames from the sample video.
mkdir "$work/frames"
"$vk6" decode --quiet "$stream" --frames 0-11 -o "$work/frames/f%03d.png"

echo "== A PNG sequence named with a drive letter and backslashes encodes to the Linux bytes"
options=(--quality 60 --intra-every 6 --threads 2 --quiet)
"$vk6" encode "$work/frames/f%03d.png" -o "$work/linux.xqm" "${options[@]}"
win encode "$(windows "$work/frames")\\f%03d.png" -o "$(windows "$work/windows.xqm")" "${options[@]}" ||
  fail "vk6.exe encode failed"
cmp "$work/linux.xqm" "$work/windows.xqm" || fail "the two encodes differ"
echo "$(stat -c %s "$work/windows.xqm") bytes alike"

echo "== A decode to a relative pattern with a backslash gives the Linux PNG files"
mkdir "$work/linux-out" "$work/windows-out"
"$vk6" decode --quiet "$stream" -o "$work/linux-out/f%02d.png"
win decode --quiet "$(windows "$stream")" -o 'windows-out\f%02d.png' || fail "vk6.exe decode failed"
count=$(find "$work/linux-out" -name '*.png' | wc -l)
for file in "$work"/linux-out/*.png; do
  cmp "$file" "$work/windows-out/$(basename "$file")" || fail "$(basename "$file") differs"
done
nothing_left "$work/windows-out" "$count"
echo "$count PNG files alike"

echo "== Names outside ASCII"
folder="$work/кадры-été"
mkdir "$folder"
cp "$work"/frames/*.png "$folder/"
win encode "$(windows "$folder")\\f%03d.png" -o "$(windows "$folder/видео-日本.xqm")" "${options[@]}" ||
  fail "vk6.exe could not encode from and to names outside ASCII"
cmp "$work/linux.xqm" "$folder/видео-日本.xqm" || fail "the stream named outside ASCII differs"
win decode --quiet "$(windows "$folder/видео-日本.xqm")" --frames 3 -o "$(windows "$folder")\\ç%02d.png" ||
  fail "vk6.exe could not decode to a name outside ASCII"
[ -s "$folder/ç03.png" ] || fail "no ç03.png"
"$vk6" decode --quiet "$work/linux.xqm" --frames 3 -o "$work/linux-%02d.png"
cmp "$work/linux-03.png" "$folder/ç03.png" || fail "ç03.png differs from the Linux decode"
echo "read and wrote $(basename "$folder")/видео-日本.xqm and ç03.png"

echo "== A damaged PNG is refused and leaves no file behind"
mkdir "$work/damaged" "$work/out"
cp "$work"/frames/*.png "$work/damaged/"
head -c 5000 "$work/frames/f005.png" >"$work/damaged/f005.png"
if win encode 'damaged\f%03d.png' -o 'out\clip.xqm' --quiet; then fail "vk6.exe encoded a damaged PNG"; fi
grep -q 'f005.png: damaged PNG picture: the file ends inside its IDAT chunk' "$work/win.err" ||
  fail "no message about f005.png"
nothing_left "$work/out" 0
echo "refused: $(cat "$work/win.err")"

echo "== A write that fails leaves no file behind"
mkdir "$work/out/taken.y4m"  # a folder where the file would go
if win decode --quiet "$(windows "$stream")" -o 'out\taken.y4m'; then fail "vk6.exe wrote over a folder"; fi
nothing_left "$work/out" 1
echo "refused: $(cat "$work/win.err")"
