#!/usr/bin/env bash
# The plugin through GStreamer's own programs, as a user runs them: the frames
# of gst-launch-1.0 against vk6's decode, playbin to the end, gst-inspect-1.0
# and gst-discoverer-1.0, and a transcode to H.264 in MP4 (Theora in Ogg where
# x264enc is missing), read back by ffprobe.
#   gst_tools_test.sh VK6 SAMPLE
set -uo pipefail
vk6=$1 sample=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/gst-tools-test.$$.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$vk6" decode -q "$sample" -o "$work/vk6.raw" --format raw || fail "vk6 decode"
for mode in "" "blocksize=999 ! queue"; do
  gst-launch-1.0 -q filesrc location="$sample" $mode ! xqmdemux ! vk6dec ! filesink location="$work/gst.raw" ||
    fail "gst-launch-1.0 ($mode)"
  cmp -s "$work/vk6.raw" "$work/gst.raw" || fail "the frames of 'filesrc ${mode:+$mode }! xqmdemux ! vk6dec' differ from vk6's"
done

out=$(gst-launch-1.0 playbin uri="file://$sample" video-sink="fakesink sync=false" audio-sink=fakesink 2>&1)
grep -q "Got EOS from element \"playbin0\"" <<<"$out" || fail "playbin did not play to the end: $out"

inspect=$(gst-inspect-1.0 xqm6 2>&1)
for element in xqmdemux vk6dec video/x-xqm6; do
  grep -q "^  $element:" <<<"$inspect" || fail "gst-inspect-1.0 xqm6 does not list $element: $inspect"
done
for element in xqmdemux vk6dec; do
  pads=$(gst-inspect-1.0 "$element" 2>&1 | sed -n '/^Pad Templates:/,/^Element/p')
  grep -q "SINK template: 'sink'" <<<"$pads" && grep -q "SRC template: 'src'" <<<"$pads" ||
    fail "gst-inspect-1.0 $element shows no sink and src pads"
done
grep -q "format: { (string)RGB15, (string)RGB16 }" <<<"$(gst-inspect-1.0 vk6dec)" || fail "vk6dec's source pad does not offer RGB15 and RGB16"

found=$(gst-discoverer-1.0 "$sample" 2>&1)
grep -q "Duration: 0:00:04.000000000" <<<"$found" || fail "gst-discoverer-1.0 reports no duration of 4 s: $found"
grep -q "Width: 640" <<<"$found" && grep -q "Height: 480" <<<"$found" || fail "gst-discoverer-1.0 reports no size of 640x480: $found"

if gst-inspect-1.0 x264enc >/dev/null 2>&1; then
  target="$work/intro.mp4" encode="video/x-raw,format=I420 ! x264enc ! mp4mux" codec=h264
else
  target="$work/intro.ogv" encode="theoraenc ! oggmux" codec=theora
fi
gst-launch-1.0 -q filesrc location="$sample" ! decodebin ! videoconvert ! $encode ! filesink location="$target" ||
  fail "the transcode to $codec"
probe=$(ffprobe -v error -count_frames -show_entries stream=codec_name,width,height,nb_read_frames -of compact=p=0 "$target")
[ "$probe" = "codec_name=$codec|width=640|height=480|nb_read_frames=60" ] ||
  fail "the transcode gave '$probe', not 60 frames of $codec at 640x480"

[ "$failures" -eq 0 ] && echo "all passed"
exit $((failures > 0))
