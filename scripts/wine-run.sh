#!/usr/bin/env bash
# Runs a Windows program under Wine with a prefix of the project's own, so a
# test never touches ~/.wine and a new prefix never stops to offer Mono or Gecko.
# A 64-bit program (PE32+) runs under 64-bit Wine in a 64-bit prefix, through
# Wine's 64-bit loader itself: Debian's `wine` launcher would pick the 32-bit
# loader whenever wine32 is installed, even where it cannot run.
#   wine-run.sh PROGRAM [ARGUMENTS...]
#   wine-run.sh --boot win32|win64          (make the default prefix)
#   wine-run.sh --keep-server win32|win64   (make it, keep its Wine server up
#   wine-run.sh --stop-server win32|win64    until stopped)
# A suite of many short programs keeps the server of the default prefix up:
# otherwise each program waits seconds for Wine's services to start anew.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The machine field of the PE header: 0x8664 for x86-64.
pe_machine() {
  local at
  at=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') || return 0
  [ -n "$at" ] && od -An -tx2 -j$((at + 4)) -N2 "$1" 2>/dev/null | tr -d ' '
}

# In the virtual machine of scripts/in-vm.sh, each prefix that a test names
# is a layer of its own over the prefix prepared there: making one under
# emulation takes minutes.
vm_prefix() {
  local layer
  layer=$ORV_VM_LAYERS/$(printf '%s' "$WINEPREFIX" | md5sum | cut -c1-16)
  mkdir -p "$layer"
  (
    flock 9
    if ! mountpoint -q "$layer/prefix"; then
      mkdir -p "$layer"/{prefix,upper,work}
      mount -t overlay prefix -o "lowerdir=$ORV_VM_PREPARED,upperdir=$layer/upper,workdir=$layer/work" "$layer/prefix"
    fi
  ) 9>"$layer.lock"
  export WINEPREFIX=$layer/prefix
}

use_wine() {
  if [ "$1" = win64 ]; then
    export WINEARCH=win64
    export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
    export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix64}
    wine=$WINELOADER server=$WINESERVER
    [ -x "$wine" ] || { echo "wine-run.sh: 64-bit Wine is missing ($wine; Debian package wine64)" >&2; exit 127; }
  else
    export WINEARCH=win32
    export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
    [ -n "${ORV_VM_LAYERS:-}" ] && [ "$WINEPREFIX" != "${ORV_VM_PREFIX:-}" ] && vm_prefix
    wine=wine server=wineserver
    command -v wine >/dev/null || { echo "wine-run.sh: Wine is missing (Debian packages wine and wine32:i386)" >&2; exit 127; }
  fi
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
}

boot_prefix() {
  mkdir -p "$WINEPREFIX"
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  # One process makes the prefix; others wait for it instead of racing.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot -i >/dev/null 2>&1 || true
    "$server" -w || true
  fi
  flock -u 9
}

case $1 in
  --boot|--keep-server|--stop-server)
    case ${2:-} in win32|win64) use_wine "$2" ;; *) echo "wine-run.sh: $1 takes win32 or win64" >&2; exit 2 ;; esac
    case $1 in
      --boot) boot_prefix ;;
      --keep-server)
        boot_prefix
        "$server" -p
        # Wine's services start with the first program and stay with the server.
        "$wine" wineboot >/dev/null 2>&1 </dev/null || true ;;
      --stop-server) "$server" -k 2>/dev/null || true ;;
    esac
    exit 0 ;;
esac

if [ -f "$1" ] && [ "$(pe_machine "$1")" = 8664 ]; then use_wine win64; else use_wine win32; fi
boot_prefix
exec "$wine" "$@"
