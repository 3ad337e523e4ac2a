#!/usr/bin/env bash
# Runs every fuzzer of the fuzz build for the given number of seconds, each with
# a corpus of its own under build/fuzz/corpus/.
set -euo pipefail
dir=$1 seconds=$2
for target in "$dir"/fuzz/*_fuzz; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$dir/fuzz/corpus-long/$name"
  mkdir -p "$corpus"
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -print_final_stats=1 "$corpus"
done
