#!/usr/bin/env bash
# The grown decoder corpus of the long runs through the 64-bit Linux library
# and through a 32-bit build of it: the Windows DLL under 32-bit Wine where
# this machine runs 32-bit programs; otherwise the -m32 Linux build under
# qemu-i386 and the 64-bit DLL under 64-bit Wine (or as the argument says).
# Every input must give the same result and picture.
#   fuzz-agree.sh [auto|win32|win64]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=${JOBS:-2}
windows=$(bash "$root/scripts/windows-build.sh" "${1:-auto}")
corpus=$root/build/fuzz/corpus-long/decoder_fuzz
[ -d "$corpus" ] || { echo "no grown decoder corpus: run make fuzz first" >&2; exit 1; }
listing=$root/build/fuzz/corpus-long/decoder_fuzz.native64.txt
cd "$root"
cmake --build --preset native -j "$jobs" --target decoder_corpus_replay >/dev/null
build/native/tests/decoder/decoder_corpus_replay "$corpus" >"$listing"
echo "64-bit Linux library: $(wc -l <"$listing") inputs, $(grep -c ' 1 ' "$listing") decoded whole"

replay_dll() {
  cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -j "$jobs" --target decoder_corpus_replay >/dev/null
  echo "$1 DLL under Wine:"
  bash scripts/wine-run.sh "build/$1/tests/decoder/decoder_corpus_replay.exe" "$corpus" --expect "$listing"
}
if [ "$windows" = win32 ]; then
  replay_dll win32
else
  cmake --preset linux32 >/dev/null && cmake --build --preset linux32 -j "$jobs" --target decoder_corpus_replay >/dev/null
  echo "32-bit Linux library under qemu-i386:"
  qemu-i386-static build/linux32/tests/decoder/decoder_corpus_replay "$corpus" --expect "$listing"
  replay_dll win64
fi
