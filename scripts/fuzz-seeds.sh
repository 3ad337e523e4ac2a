#!/usr/bin/env bash
# After long runs: replaces each fuzzer's seeds in the source tree with a
# small set (libFuzzer's set-cover merge) of the seeds and the grown corpus
# that keeps every feature of both, and records the decoder seeds' outcomes
# that every build's replay test expects.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
fuzz=$root/build/fuzz
find "$fuzz/fuzz" -type f -name '*_fuzz' -executable | sort | while read -r target; do
  name=$(basename "$target")
  area=$(basename "$(dirname "$target")")
  seeds=$root/fuzz/$area/corpus grown=$fuzz/corpus-long/$name
  [ -d "$grown" ] || { echo "$name: no grown corpus (make fuzz first)"; continue; }
  merged=$(mktemp -d)
  "$target" -set_cover_merge=1 -max_len="$(cat "$target.max_len")" "$merged" "$seeds" "$grown" >/dev/null 2>&1
  rm -rf "$seeds" && mkdir -p "$seeds" && cp "$merged"/* "$seeds"/ && rm -rf "$merged"
  echo "$name: $(ls "$seeds" | wc -l) seeds, $(du -sk "$seeds" | cut -f1) KB"
done
cmake --build --preset native --target decoder_corpus_replay >/dev/null
"$root/build/native/tests/decoder/decoder_corpus_replay" "$root/fuzz/decoder/corpus" >"$root/fuzz/decoder/corpus_outcomes.txt"
echo "decoder seed outcomes: fuzz/decoder/corpus_outcomes.txt"
