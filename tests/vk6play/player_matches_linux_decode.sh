#!/usr/bin/env bash
# The Windows player under Wine shows the same pictures as the Linux decode
# of the same file: it is copied with the decoder library and the sample video
# as intro.xqm into a folder of its own, started without a file name (as the
# setup program starts the game), and its framemd5 must equal vk6's; the same
# for a video whose copies read the new picture's undecoded part, named on its
# command line; and its exit codes tell a malformed file from a missing one.
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

# Its exit codes tell a malformed file (1) from one that cannot be read (3).
echo junk >"$folder/junk.xqm"
for case in "junk.xqm 1" "missing.xqm 3"; do
  read -r file expected <<<"$case"
  rc=0
  (cd "$folder" && "$root/scripts/wine-run.sh" game/Orvane.exe "$file" --framemd5 - >/dev/null 2>&1) || rc=$?
  [ "$rc" -eq "$expected" ] || { echo "$file: exit code $rc, not $expected"; exit 1; }
done
