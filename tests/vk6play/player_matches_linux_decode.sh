#!/usr/bin/env bash
# The Windows player under Wine shows the same pictures as the Linux decode
# of the same file: it is copied with the decoder library and the sample video
# as intro.xqm into a folder of its own, started without a file name (as the
# setup program starts the game), and its framemd5 must equal vk6's; the same
# for a video whose copies read the new picture's undecoded part, named on its
# command line, and for a damaged one, whose failed frame it reports as vk6
# does; and its exit codes tell a malformed file from a missing one.
#   player_matches_linux_decode.sh PLAYER_EXE DECODER_DLL LINUX_VK6 STREAM COPY_STREAM
set -euo pipefail
player=$1 dll=$2 vk6=$3 stream=$4 copies=$5
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
for file in "$vk6" "$stream" "$copies"; do
  [ -e "$file" ] || { echo "missing $file: the native build makes it (make native)"; exit 1; }
done
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
mkdir "$folder/game"
cp "$player" "$folder/game/Orvane.exe"
cp "$dll" "$folder/game/"
cp "$stream" "$folder/game/intro.xqm"
cp "$copies" "$folder/copies.xqm"

# alike NAME FILE PLAYER_ARGUMENTS...: the player's framemd5 of FILE against vk6's.
alike() {
  local name=$1 file=$2
  shift 2
  "$vk6" decode --quiet "$file" -o "$folder/$name-linux.framemd5" --format framemd5
  (cd "$folder" && "$root/scripts/wine-run.sh" game/Orvane.exe "$@" --framemd5 "$name-player.framemd5")
  if ! diff "$folder/$name-linux.framemd5" "$folder/$name-player.framemd5" >"$folder/diff"; then
    echo "$name: the player's frames differ from the Linux decode:"; head -20 "$folder/diff"; exit 1
  fi
  echo "$name: $(grep -vc '^#' "$folder/$name-player.framemd5") frames alike"
}
alike intro "$stream"
alike copies "$copies" copies.xqm

# The sample video with 200 bytes of frame 2's control stream overwritten,
# 600 bytes into it: both conceal the damage from the failed block on and go
# on, and say where and why alike.
cp "$stream" "$folder/damaged.xqm"
frame2=$(od -An -tu8 -j $((32 + 16 * 2)) -N8 "$stream" | tr -d ' ')
head -c 200 /dev/zero | tr '\0' '\377' | dd of="$folder/damaged.xqm" bs=1 seek=$((frame2 + 24 + 600)) conv=notrunc status=none
rc=0
"$vk6" decode --quiet --keep-going "$folder/damaged.xqm" -o "$folder/damaged-linux.framemd5" --format framemd5 \
  2>"$folder/linux.err" || rc=$?
[ "$rc" -eq 1 ] || { echo "damaged: vk6 decode exit code $rc, not 1"; exit 1; }
(cd "$folder" && "$root/scripts/wine-run.sh" game/Orvane.exe damaged.xqm --framemd5 damaged-player.framemd5 \
  2>player.err)
diff "$folder/damaged-linux.framemd5" "$folder/damaged-player.framemd5" >/dev/null ||
  { echo "damaged: the player's frames differ from the Linux decode"; exit 1; }
reports() { grep -o 'frame [0-9]*: .*' "$1" | tr -d '\r'; }
if [ -z "$(reports "$folder/linux.err")" ] || [ "$(reports "$folder/linux.err")" != "$(reports "$folder/player.err")" ]; then
  echo "damaged: the player reports"; cat "$folder/player.err"; echo "where vk6 reports"; cat "$folder/linux.err"; exit 1
fi
echo "damaged: $(reports "$folder/player.err")"

# Its exit codes tell a malformed file (1) from one that cannot be read (3).
echo junk >"$folder/junk.xqm"
for case in "junk.xqm 1" "missing.xqm 3"; do
  read -r file expected <<<"$case"
  rc=0
  (cd "$folder" && "$root/scripts/wine-run.sh" game/Orvane.exe "$file" --framemd5 - >/dev/null 2>&1) || rc=$?
  [ "$rc" -eq "$expected" ] || { echo "$file: exit code $rc, not $expected"; exit 1; }
done
