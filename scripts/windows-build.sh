#!/usr/bin/env bash
# Prints the Windows build a job uses: the argument when it names one, else
# win32 where this machine runs 32-bit programs and win64 where it cannot
# (saying why on standard error).
#   windows-build.sh [auto|win32|win64]
set -euo pipefail
case ${1:-auto} in
  win32|win64) echo "$1" ;;
  auto)
    if probe=$(bash "$(dirname "${BASH_SOURCE[0]}")/host-runs-32bit.sh"); then echo win32
    else echo "(64-bit Windows build: this machine cannot run 32-bit programs: ${probe#no: })" >&2; echo win64; fi ;;
  *) echo "the Windows build must be auto, win32 or win64, not '$1'" >&2; exit 2 ;;
esac
