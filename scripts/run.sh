#!/usr/bin/env bash
# The main job: loads the sample settings in demo/ with the Linux tool and with
# the same code built for Windows under Wine, writes both back in the fixed
# layout, and checks that the two builds wrote the same bytes.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work="$root/build/run"
rm -rf "$work" && mkdir -p "$work/linux" "$work/win32"
cp "$root/demo/Config.ini" "$work/linux/"
cp "$root/demo/Config.ini" "$work/win32/"

"$root/dist/linux/bin/orvconfig" "$work/linux/"
echo
echo "== The same under Wine (32-bit Windows build)"
(cd "$work/win32" && "$root/scripts/wine-run.sh" "$root/build/win32/tools/settings/orvconfig.exe" >/dev/null)
if cmp -s "$work/linux/Config.ini" "$work/win32/Config.ini"; then
  echo "Both builds wrote the same $(wc -c <"$work/linux/Config.ini") bytes: $work/{linux,win32}/Config.ini"
else
  echo "The two builds wrote different files:" >&2
  diff <(od -c "$work/linux/Config.ini") <(od -c "$work/win32/Config.ini") >&2 || true
  exit 1
fi
