#!/usr/bin/env bash
# The one place that decides which Windows build a job uses: the argument
# when it names one, else win32 where this machine runs 32-bit programs and
# win64 where it cannot. Prints the build (and, for auto's win64, why on
# standard error); with --why, the build and the reason on one line.
#   windows-build.sh [--why] [auto|win32|win64]
set -uo pipefail
why=0
[ "${1:-}" = --why ] && { why=1; shift; }
choice=${1:-auto}
probe=$(bash "$(dirname "${BASH_SOURCE[0]}")/host-runs-32bit.sh")
[ "$probe" = yes ] && machine="this machine can run 32-bit programs" ||
  machine="this machine cannot run 32-bit programs: ${probe#no: }"
case $choice in
  auto) [ "$probe" = yes ] && build=win32 || build=win64
        reason=$machine ;;
  win32|win64) build=$choice reason="WINDOWS=$choice asked for it ($machine)" ;;
  *) echo "WINDOWS must be auto, win32 or win64, not '$choice'" >&2; exit 2 ;;
esac
if [ "$why" -eq 1 ]; then
  echo "$build $reason"
else
  [ "$choice" = auto ] && [ "$build" = win64 ] && echo "(64-bit Windows build: $machine)" >&2
  echo "$build"
fi
