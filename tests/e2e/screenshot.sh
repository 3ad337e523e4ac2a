#!/usr/bin/env bash
# Saves pictures of the running window as test artefacts: at rest, and with
# the general volume knob's help text shown. Skipped without an X display.
#   screenshot.sh SETUP_EXE DRIVER_EXE OUTPUT_DIR
set -euo pipefail
[ -n "${DISPLAY:-}" ] || { echo "no X display: skipped"; exit 77; }
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
out=$3
rm -rf "$out" && mkdir -p "$out/settings"
cp "$root/demo/Config.ini" "$out/settings/"
"$root/scripts/orvsetup-session.sh" "$1" "$2" "$out/settings" "$out" \
  shot:orvsetup-window hover:00FF32 wait:1.5 shot:orvsetup-help escape
for picture in orvsetup-window orvsetup-help; do
  [ "$(identify -format '%w %h' "$out/$picture.png")" = "484 480" ] || { echo "$picture is not 484 x 480" >&2; exit 1; }
done
