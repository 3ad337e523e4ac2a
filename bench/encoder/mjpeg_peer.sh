#!/usr/bin/env bash
# The peer: a raw 640x480 RGB clip through MJPEG with 4:4:4 chroma at one
# -q:v, kept as the JPEG stream (its size is the rate) and decoded back to
# raw RGB.
# Usage: mjpeg_peer.sh CLIP.rgb QSCALE STREAM.mjpeg DECODED.rgb
set -euo pipefail
ffmpeg -nostdin -v error -y -f rawvideo -pix_fmt rgb24 -s 640x480 -framerate 15 -i "$1" \
  -c:v mjpeg -pix_fmt yuvj444p -q:v "$2" -f mjpeg "$3"
ffmpeg -nostdin -v error -y -f mjpeg -i "$3" -pix_fmt rgb24 -f rawvideo "$4"
