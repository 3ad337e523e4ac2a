#!/usr/bin/env bash
# Three 640x480 clips of 3 seconds at 15 frames/s, as raw RGB and as Y4M 4:4:4
# (for vk6 encode): pan (a 640x480 window moving 4 pixels right and 2 down a
# frame over the photo at half size), zoom (a slow zoom into its 4:3 middle)
# and cut (the pan's first 21 frames, then a cut to the second photo, panned
# 2 pixels a frame to the right at 480 rows high); cut.at holds the number of
# the cut's first frame, from 0.
# Usage: make_clips.sh PHOTO SECOND_PHOTO OUTDIR
set -euo pipefail
photo=$1
second=$2
out=$3
mkdir -p "$out"
frames=45
before_cut=21
pan="scale=1134:756,crop=640:480:x='40+4*n':y='30+2*n'"
# photo FILTER FRAMES OUT.rgb: frames of one still photo through a filter.
photo() {
  ffmpeg -nostdin -v error -y -loop 1 -framerate 15 -i "$1" -vf "$2" -frames:v "$3" -pix_fmt rgb24 -f rawvideo "$4"
}
photo "$photo" "$pan" $frames "$out/pan.rgb"
photo "$photo" \
  "crop=2016:1512,zoompan=z='1+0.003*in':x='iw/2-(iw/zoom/2)':y='ih/2-(ih/zoom/2)':d=1:s=640x480:fps=15" \
  $frames "$out/zoom.rgb"
photo "$photo" "$pan" $before_cut "$out/cut-before.rgb"
photo "$second" "scale=722:480,crop=640:480:x='2*n':y=0" $((frames - before_cut)) "$out/cut-after.rgb"
cat "$out/cut-before.rgb" "$out/cut-after.rgb" >"$out/cut.rgb"
rm "$out/cut-before.rgb" "$out/cut-after.rgb"
echo $before_cut >"$out/cut.at"
for clip in pan zoom cut; do
  ffmpeg -nostdin -v error -y -f rawvideo -pix_fmt rgb24 -s 640x480 -framerate 15 -i "$out/$clip.rgb" \
    -pix_fmt yuv444p -f yuv4mpegpipe "$out/$clip.y4m"
done
