#!/usr/bin/env bash
# Long fuzzing runs: every fuzzer of the fuzz build at once, for the given
# number of seconds each, at low priority, each growing a corpus of its own in
# the build tree from the seeds in the source. A unit slower than 10 s counts
# as a crash (libFuzzer's timeout), one slower than 1 s alone as a finding;
# findings land in <dir>/findings-long/.
# Ends with one line per fuzzer: runs, coverage, corpus size, slowest unit.
set -uo pipefail
dir=$1 seconds=$2
src=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out="$dir/corpus-long" findings="$dir/findings-long"
mkdir -p "$out" "$findings"
pids=() names=()
while read -r target; do
  name=$(basename "$target")
  area=$(basename "$(dirname "$target")")
  mkdir -p "$out/$name"
  seeds=()
  [ -d "$src/fuzz/$area/corpus" ] && seeds=("$src/fuzz/$area/corpus")
  echo "== $name for ${seconds}s, log $out/$name.log"
  max_len=$(cat "$target.max_len")
  nice -n 19 "$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -report_slow_units=1 \
    -print_final_stats=1 -artifact_prefix="$findings/$name-" \
    "$out/$name" "${seeds[@]}" >"$out/$name.log" 2>&1 &
  pids+=($!) names+=("$name")
done < <(find "$dir/fuzz" -type f -name '*_fuzz' -executable | sort)
status=0
for i in "${!pids[@]}"; do
  wait "${pids[$i]}" || status=1
  log="$out/${names[$i]}.log"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1)
  slowest=$(grep -o 'Slowest unit: [0-9]* s' "$log" | tail -1)
  echo "${names[$i]}: ${runs:-?} runs, ${cov:-cov: ?}, corpus $(ls "$out/${names[$i]}" | wc -l) files," \
    "${slowest:-no unit over 1 s}"
done
# A unit reported slow while the machine was busy is timed again alone; only
# one that still takes more than a second stays a finding.
for unit in "$findings"/*-slow-unit-*; do
  [ -e "$unit" ] || continue
  name=$(basename "$unit") && name=${name%%-slow-unit-*}
  start=$(date +%s%N)
  "$(find "$dir/fuzz" -type f -name "$name" | head -n 1)" "$unit" >/dev/null 2>&1
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
  if [ "$ms" -le 1000 ]; then
    echo "$name: a unit reported slow under load takes $ms ms alone"
    rm -f "$unit"
  fi
done
findings_count=$(find "$findings" -type f | wc -l)
echo "findings: $findings_count (in $findings)"
[ "$findings_count" -eq 0 ] && exit "$status" || exit 1
