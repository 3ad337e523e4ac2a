#!/usr/bin/env bash
# Plays a scripted session with orvsetup.exe under Wine on the current X
# display and saves pictures of its window.
#   orvsetup-session.sh SETUP_EXE DRIVER_EXE SETTINGS_DIR PICTURE_DIR STEP...
# Steps: shot:NAME saves PICTURE_DIR/NAME.png of the setup window and
# screen:NAME of the whole screen (ImageMagick's import), wait:S sleeps S
# seconds, click:RRGGBB, hover:RRGGBB, drag:RRGGBB act on the control of that
# hit colour, launch presses the launch control and goes on while the game
# runs, game-ended waits until the setup window has it back, escape, enter
# and close end the session.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
setup=$1 driver=$2 settings=$3 pictures=$4
shift 4
mkdir -p "$pictures"
settings=$(cd "$settings" && pwd)
wine_settings="Z:${settings//\//\\}\\"

"$here/wine-run.sh" "$setup" "$wine_settings" &
setup_pid=$!
read -r x y width height < <("$here/wine-run.sh" "$driver" wait)
sleep 1  # a few frames of the animation

for step in "$@"; do
  case $step in
    shot:*) import -window root -crop "${width}x${height}+${x}+${y}" +repage "$pictures/${step#shot:}.png"
            echo "saved $pictures/${step#shot:}.png" ;;
    screen:*) import -window root "$pictures/${step#screen:}.png"
            echo "saved $pictures/${step#screen:}.png" ;;
    wait:*) sleep "${step#wait:}" ;;
    launch) "$here/wine-run.sh" "$driver" click "$setup" FF0000 & launch_pid=$! ;;
    game-ended) wait "$launch_pid" ;;
    click:*|hover:*|drag:*) "$here/wine-run.sh" "$driver" "${step%%:*}" "$setup" "${step#*:}" ;;
    escape|enter|close) "$here/wine-run.sh" "$driver" "$step" ;;
    *) echo "unknown step $step" >&2; exit 2 ;;
  esac
done
wait "$setup_pid"
