#!/usr/bin/env bash
# Runs a Windows program under Wine with a prefix of the project's own, so a
# test never touches ~/.wine and a new prefix never stops to offer Mono or Gecko.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEARCH=win32
mkdir -p "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  # One process makes the prefix; others wait for it instead of racing.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  [ -f "$WINEPREFIX/system.reg" ] || { wineboot -i >/dev/null 2>&1 || true; wineserver -w || true; }
  flock -u 9
fi
exec wine "$@"
