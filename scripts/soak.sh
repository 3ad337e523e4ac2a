#!/usr/bin/env bash
# make soak: orvsetup.exe under Wine on a virtual X server for SOAK_SECONDS
# (default 600) while orvsetup_soak drives it without pause, samples its
# memory and handles each minute and checks the settings it saves at the end.
#   soak.sh [auto|win32|win64]
# The Windows build is the 32-bit one where this machine runs 32-bit programs,
# the 64-bit one where it cannot (or as the argument says).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

windows=$(bash scripts/windows-build.sh "${1:-auto}")
seconds=${SOAK_SECONDS:-600}
# A sample a minute after the warm-up rounds; a short soak gets four intervals.
interval=$((seconds >= 240 ? 60 : seconds / 4))
[ "$interval" -ge 1 ] || { echo "SOAK_SECONDS must be at least 4, not '$seconds'" >&2; exit 2; }

cmake --preset "$windows" >/dev/null
cmake --build --preset "$windows" -j "${JOBS:-2}" --target orvsetup orvsetup_soak >/dev/null

build="$root/build/$windows"
work="$build/soak"
mkdir -p "$work"
cd "$work"
echo "== $windows orvsetup.exe driven for its warm-up and $seconds s, sampled every $interval s (settings in $work/soak-work)"
# A Wine prefix of its own, whose desktop lives on the virtual display.
WINEPREFIX="$work/wineprefix" xvfb-run -a -s "-screen 0 1024x768x24" \
  "$root/scripts/wine-run.sh" "$build/tests/e2e/orvsetup_soak.exe" \
  "$build/setup/platform/win32/orvsetup.exe" "$root/demo/Config.ini" "$seconds" "$interval"
