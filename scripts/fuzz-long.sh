#!/usr/bin/env bash
# Runs every fuzzer of the fuzz build for the given number of seconds, each
# growing a corpus of its own in the build tree from the seeds in the source.
set -euo pipefail
dir=$1 seconds=$2
src=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
find "$dir/fuzz" -type f -name '*_fuzz' -executable | sort | while read -r target; do
  name=$(basename "$target")
  area=$(basename "$(dirname "$target")")
  corpus="$dir/corpus-long/$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "$src/fuzz/$area/corpus" ] && seeds=("$src/fuzz/$area/corpus")
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -print_final_stats=1 "$corpus" "${seeds[@]}"
done
