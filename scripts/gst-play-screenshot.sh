#!/usr/bin/env bash
# docs/gst-play.png: gst-play-1.0 playing the sample video through the build's
# GStreamer plugin on a virtual X server, its window taken two seconds in.
#   gst-play-screenshot.sh [OUT.png]   (after make native)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$(realpath -m "${1:-$root/docs/gst-play.png}")
export GST_PLUGIN_PATH=$root/build/native/gstreamer GST_REGISTRY_1_0=$root/build/native/gst-play-registry.bin
export ROOT=$root OUT=$out
xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  gst-play-1.0 --videosink=ximagesink "$ROOT/build/native/sample/intro.xqm" >/dev/null 2>&1 &
  player=$!
  until xwininfo -root -tree 2>/dev/null | grep -q "\"gst-play-1.0\".*640x480"; do sleep 0.2; done
  sleep 2
  import -window root -crop 640x480+0+0 +repage "$OUT"
  kill $player'
echo "$out"
