#!/usr/bin/env bash
# Two 640x480 clips of 3 seconds at 15 frames/s from one photo, as raw RGB:
# pan.rgb (a 640x480 window moving 4 pixels right and 2 down a frame over the
# photo at half size) and zoom.rgb (a slow zoom into its 4:3 middle).
# Usage: make_clips.sh PHOTO OUTDIR
set -euo pipefail
photo=$1
out=$2
mkdir -p "$out"
frames=45
ffmpeg -nostdin -v error -y -loop 1 -framerate 15 -i "$photo" \
  -vf "scale=1134:756,crop=640:480:x='40+4*n':y='30+2*n'" \
  -frames:v $frames -pix_fmt rgb24 -f rawvideo "$out/pan.rgb"
ffmpeg -nostdin -v error -y -loop 1 -framerate 15 -i "$photo" \
  -vf "crop=2016:1512,zoompan=z='1+0.003*in':x='iw/2-(iw/zoom/2)':y='ih/2-(ih/zoom/2)':d=1:s=640x480:fps=15" \
  -frames:v $frames -pix_fmt rgb24 -f rawvideo "$out/zoom.rgb"
