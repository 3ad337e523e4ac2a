#!/usr/bin/env bash
# The grown decoder corpus of the long runs through the 64-bit Linux library
# and through a 32-bit build of it: the Windows DLL under 32-bit Wine where
# this machine runs 32-bit programs, the -m32 Linux build under qemu-i386
# otherwise. Every input must give the same result and picture.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
corpus=$root/build/fuzz/corpus-long/decoder_fuzz
[ -d "$corpus" ] || { echo "no grown decoder corpus: run make fuzz first" >&2; exit 1; }
listing=$root/build/fuzz/corpus-long/decoder_fuzz.native64.txt
cmake --build --preset native --target vk6_corpus_replay >/dev/null
"$root/build/native/tests/decoder/vk6_corpus_replay" "$corpus" >"$listing"
echo "64-bit Linux library: $(wc -l <"$listing") inputs, $(grep -c ' 1 ' "$listing") decoded whole"
if [ "$(bash "$root/scripts/host-runs-32bit.sh")" = yes ]; then
  cmake --preset win32 >/dev/null && cmake --build --preset win32 --target vk6_corpus_replay >/dev/null
  echo "32-bit Windows DLL under Wine:"
  bash "$root/scripts/wine-run.sh" "$root/build/win32/tests/decoder/vk6_corpus_replay.exe" "$corpus" --expect "$listing"
else
  cmake --preset linux32 >/dev/null && cmake --build --preset linux32 --target vk6_corpus_replay >/dev/null
  echo "32-bit Linux library under qemu-i386:"
  qemu-i386-static "$root/build/linux32/tests/decoder/vk6_corpus_replay" "$corpus" --expect "$listing"
fi
