#!/usr/bin/env bash
# Answers whether this machine can run 32-bit x86 programs natively, which
# 32-bit Wine needs. Prints "yes", or "no: " and the reason, and exits 0 or 1.
# ORV_NO_32BIT=1 makes it answer "no", so the 64-bit path can be tried anywhere.
set -uo pipefail

no() { echo "no: $*"; exit 1; }

if [ -n "${ORV_NO_32BIT:-}" ] && [ "${ORV_NO_32BIT}" != 0 ]; then
  no "ORV_NO_32BIT=$ORV_NO_32BIT asks for the 64-bit path"
fi

# An i386 handler in binfmt_misc (qemu-user, say) would take every 32-bit
# program: they would start, but Wine does not work that way.
misc=/proc/sys/fs/binfmt_misc
if [ -r "$misc/status" ] && grep -qx enabled "$misc/status"; then
  for entry in "$misc"/*; do
    case $(basename "$entry") in register|status) continue ;; esac
    if grep -qx enabled "$entry" 2>/dev/null &&
       grep -q '^magic 7f454c4601010100000000000000000002000300' "$entry" 2>/dev/null; then
      no "32-bit programs would run only through the emulator registered as $entry"
    fi
  done
fi

loader=/lib/ld-linux.so.2
[ -e "$loader" ] || no "there is no 32-bit C library ($loader is missing)"
if ! out=$("$loader" --version 2>&1 </dev/null); then
  why=$(printf '%s\n' "$out" | tail -n 1)
  no "$loader does not start (${why:-no output})"
fi
echo yes
