#!/usr/bin/env bash
# The Windows player under Wine shows the same pictures as the Linux decode
# of the same file: it is copied with the decoder library and the sample video
# as intro.xqm into a folder of its own, started without a file name (as the
# setup program starts the game), and its framemd5 must equal vk6's; and its
# exit codes tell a malformed file from a missing one.
#   player_matches_linux_decode.sh PLAYER_EXE DECODER_DLL LINUX_VK6 STREAM
set -euo pipefail
player=$1 dll=$2 vk6=$3 stream=$4
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
for file in "$vk6" "$stream"; do
  [ -e "$file" ] || { echo "missing $file: the native build makes it (make native)"; exit 1; }
done
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
mkdir "$folder/game"
cp "$player" "$folder/game/Orvane.exe"
cp "$dll" "$folder/game/"
cp "$stream" "$folder/game/intro.xqm"

"$vk6" decode --quiet "$stream" -o "$folder/linux.framemd5" --format framemd5
(cd "$folder" && "$root/scripts/wine-run.sh" game/Orvane.exe --framemd5 player.framemd5)
if ! diff "$folder/linux.framemd5" "$folder/player.framemd5" >"$folder/diff"; then
  echo "the player's frames differ from the Linux decode:"; head -20 "$folder/diff"; exit 1
fi
echo "$(grep -vc '^#' "$folder/player.framemd5") frames alike"

# Its exit codes tell a malformed file (1) from one that cannot be read (3).
echo junk >"$folder/junk.xqm"
for case in "junk.xqm 1" "missing.xqm 3"; do
  read -r file expected <<<"$case"
  rc=0
  (cd "$folder" && "$root/scripts/wine-run.sh" game/Orvane.exe "$file" --framemd5 - >/dev/null 2>&1) || rc=$?
  [ "$rc" -eq "$expected" ] || { echo "$file: exit code $rc, not $expected"; exit 1; }
done
