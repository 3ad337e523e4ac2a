#!/usr/bin/env bash
# Runs a Windows program under Wine with a prefix of the project's own, so a
# test never touches ~/.wine and a new prefix never stops to offer Mono or Gecko.
# A 64-bit program (PE32+) runs under 64-bit Wine in a 64-bit prefix, through
# Wine's 64-bit loader itself: Debian's `wine` launcher would pick the 32-bit
# loader whenever wine32 is installed, even where it cannot run.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The machine field of the PE header: 0x8664 for x86-64.
pe_machine() {
  local at
  at=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') || return 0
  [ -n "$at" ] && od -An -tx2 -j$((at + 4)) -N2 "$1" 2>/dev/null | tr -d ' '
}

if [ -f "$1" ] && [ "$(pe_machine "$1")" = 8664 ]; then
  export WINEARCH=win64
  export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
  export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix64}
  wine=$WINELOADER
  [ -x "$wine" ] || { echo "wine-run.sh: 64-bit Wine is missing ($wine; Debian package wine64)" >&2; exit 127; }
else
  export WINEARCH=win32
  export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
  wine=wine
  command -v wine >/dev/null || { echo "wine-run.sh: Wine is missing (Debian packages wine and wine32:i386)" >&2; exit 127; }
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

mkdir -p "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  # One process makes the prefix; others wait for it instead of racing.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot -i >/dev/null 2>&1 || true
    if [ -n "${WINESERVER:-}" ]; then "$WINESERVER" -w || true; else wineserver -w || true; fi
  fi
  flock -u 9
fi
exec "$wine" "$@"
