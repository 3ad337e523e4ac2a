#!/usr/bin/env bash
# The main job, after `make dist`:
#   run.sh [auto|win32|win64]
# The Windows files are the 32-bit ones where this machine runs 32-bit
# programs, the 64-bit ones where it cannot (or as the argument says).
# 1. The sample settings in demo/ are loaded and saved in the fixed layout by
#    the Linux tool and by the same code built for Windows, and the two files
#    are compared.
# 2. dist/<windows>/orvsetup.exe runs under Wine with the settings prefix demo/,
#    where the player stands in for the game: vk6play.exe as "Orvane.exe" with
#    the decoder library and the sample video as intro.xqm, so the launch
#    control plays the video and the window reloads Config.ini when it ends.
#    On the user's display when there is one; without one, a short scripted
#    session plays on a virtual X server (hover a knob, turn it, pick a sound
#    quality, launch the game, quit) on a copy of demo/, and pictures of it go
#    to demo/session-*.png.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

windows=$(bash scripts/windows-build.sh "${1:-auto}")
# The Windows helpers of this job: the settings tool and the window driver.
cmake --build --preset "$windows" -j "${JOBS:-2}" --target orvconfig orvdriver >/dev/null

echo "== Settings: the same Config.ini from both builds"
work="$root/build/run"
rm -rf "$work" && mkdir -p "$work/linux" "$work/$windows"
cp demo/Config.ini "$work/linux/"
cp demo/Config.ini "$work/$windows/"
dist/linux/bin/orvconfig "$work/linux/"
(cd "$work/$windows" && "$root/scripts/wine-run.sh" "$root/build/$windows/tools/orvconfig/orvconfig.exe" >/dev/null)
if cmp -s "$work/linux/Config.ini" "$work/$windows/Config.ini"; then
  echo "Both builds wrote the same $(wc -c <"$work/linux/Config.ini") bytes: $work/{linux,$windows}/Config.ini"
else
  echo "The two builds wrote different files:" >&2
  diff <(od -c "$work/linux/Config.ini") <(od -c "$work/$windows/Config.ini") >&2 || true
  exit 1
fi
echo

setup="$root/dist/$windows/orvsetup.exe"
# The game's folder: the player as the game, its decoder library, its video.
install_game() {
  cp "$root/dist/$windows/vk6play.exe" "$1/Orvane.exe"
  cp "$root/dist/$windows/VK6_640x16.dll" "$1/"
  cp "$root/dist/linux/share/orvane/intro.xqm" "$1/intro.xqm"
}
if [ -n "${DISPLAY:-}" ]; then
  install_game demo
  echo "== $windows orvsetup.exe on display $DISPLAY with the settings in demo/ (Launch plays the sample video; close it with Quit, Escape or Enter)"
  "$root/scripts/wine-run.sh" "$setup" demo/
  echo "demo/Config.ini now holds what the window saved."
  exit 0
fi

echo "== No display: a scripted session of $windows orvsetup.exe on a virtual X server"
session="$work/session"
mkdir -p "$session"
cp demo/Config.ini "$session/"
install_game "$session"
pictures="$root/demo"
general_knob_at_20=00FF14 quality_low=0000FC quit=FFFF00
# A Wine prefix of its own: Wine keeps its desktop on the display of the
# prefix's first program, and the one above ran without a display.
WINEPREFIX="$root/build/wineprefix-session-$windows" xvfb-run -a -s "-screen 0 1024x768x24" \
  "$root/scripts/orvsetup-session.sh" "$setup" "$root/build/$windows/tests/e2e/orvdriver.exe" "$session" "$pictures" \
  shot:session-1-start \
  hover:$general_knob_at_20 wait:1.5 shot:session-2-hover-general-volume \
  click:$general_knob_at_20 wait:1.5 shot:session-3-general-volume-turned \
  click:$quality_low hover:$quality_low wait:1.5 shot:session-4-quality-low \
  launch wait:2 screen:session-5-video-playing game-ended wait:1 shot:session-6-after-the-game \
  click:$quit
echo
echo "Pictures of the session: $pictures/session-*.png"
echo "The settings it saved: $session/Config.ini; what changed against demo/Config.ini in the fixed layout:"
diff <(tr -d '\r' <"$work/linux/Config.ini") <(tr -d '\r' <"$session/Config.ini") || true
