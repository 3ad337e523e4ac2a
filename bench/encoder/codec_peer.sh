#!/usr/bin/env bash
# A peer codec on a raw RGB clip at one point of its own quality scale: the
# stream is written, decoded back to raw RGB, and its size printed in bytes,
# counted as the codec's packets that ffprobe lists (the container's headers,
# chunk framing and index left out).
#   codec_peer.sh CODEC QUALITY CLIP.rgb WIDTHxHEIGHT FPS STREAM DECODED.rgb
# CODEC and what QUALITY sets:
#   cinepak  -q:v, its rate-distortion lambda (one strip a frame, no extra
#            codebook passes: three times as fast, within 1 % of its defaults)
#   roq      -q:v, its rate-distortion lambda (RoQ without Quake 3's limits)
#   mpeg1    -q:v 2..31, a fixed quantiser; an intra frame every 15, no B frames
#            (15 frames/s is not among the standard's rates: ffmpeg writes it
#            only with -strict unofficial)
#   x264     -crf, libx264 tuned for PSNR on 4:4:4 pictures
#   mjpeg    -q:v 2..31, 4:4:4
set -euo pipefail
codec=$1 quality=$2 clip=$3 size=$4 fps=$5 stream=$6 decoded=$7

case $codec in
  cinepak) options=(-c:v cinepak -q:v "$quality" -max_strips 1 -max_extra_cb_iterations 0) format=avi ;;
  roq) options=(-c:v roqvideo -quake3_compat 0 -q:v "$quality") format=roq ;;
  mpeg1) options=(-c:v mpeg1video -strict unofficial -q:v "$quality" -g 15 -bf 0) format=mpegvideo ;;
  x264) options=(-c:v libx264 -tune psnr -pix_fmt yuv444p -crf "$quality") format=h264 ;;
  mjpeg) options=(-c:v mjpeg -pix_fmt yuvj444p -q:v "$quality") format=mjpeg ;;
  *) echo "codec_peer.sh: unknown codec $codec" >&2; exit 2 ;;
esac
# ffmpeg names the raw MPEG-1 muxer apart from its demuxer.
muxer=$format
[ "$format" = mpegvideo ] && muxer=mpeg1video

# ffmpeg's messages only when it fails: the RoQ encoder warns of every picture
# size that is not a power of two, which matters only to Quake 3.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
quiet() {
  "$@" 2>"$log" || { cat "$log" >&2; return 1; }
}
quiet ffmpeg -nostdin -v error -y -f rawvideo -pix_fmt rgb24 -s "$size" -framerate "$fps" -i "$clip" \
  "${options[@]}" -f "$muxer" "$stream"
# A picture for each coded frame: the raw MPEG-1 stream's timestamps would
# otherwise have ffmpeg repeat one.
quiet ffmpeg -nostdin -v error -y -f "$format" -i "$stream" -fps_mode passthrough -pix_fmt rgb24 -f rawvideo "$decoded"
ffprobe -v error -f "$format" -select_streams v:0 -show_entries packet=size -of csv=p=0 "$stream" |
  awk '{ bytes += $1 } END { print bytes }'
