#!/usr/bin/env bash
# make bench: every benchmark of the native build, then vk6 encode's figures
# on the encoder benchmark's clips, then the decoder library at each kernel
# level on the frames of every kind bench_frames makes and on photos (intra
# frames against tjbench, predicted ones in memcpys, medians and ranges of
# several turns) and on the sample video's predicted frames, then the
# decoder library through its entry points on the sample video, natively and as the Windows
# DLL under Wine (the 32-bit one where this machine runs 32-bit programs, or
# as the argument says), with the ratio of their times per frame; and the web
# player decoding it in headless Chromium, SIMD and scalar, against the native
# library.
#   bench.sh [auto|win32|win64]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
jobs=${JOBS:-2}
windows=$(bash scripts/windows-build.sh "${1:-auto}")

cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs" --target benchmarks sample_video vk6 VK6_640x16 >/dev/null
find build/native/bench -maxdepth 1 -type f -name 'bench_*' -executable ! -name bench_library | sort | while read -r bench; do
  "$bench" </dev/null
done
echo
/usr/bin/python3 bench/encoder/encode_figures.py --vk6 build/native/tools/vk6/vk6 \
  --psnr build/native/bench/encoder/bench_clip_psnr --clips build/native/bench/encoder/clips

video=build/native/sample/intro.xqm
echo
/usr/bin/python3 bench/library/library_figures.py --vk6 build/native/tools/vk6/vk6 \
  --bench-library build/native/bench/bench_library --bench-frames build/native/bench/decoder/bench_frames \
  --work build/native/bench/photos --mixed "$video"

cmake --preset "$windows" >/dev/null
cmake --build --preset "$windows" -j "$jobs" --target bench_library >/dev/null

echo
echo "== The decoder library on the sample video: native, and the $windows DLL under Wine"
native=$(build/native/bench/bench_library "$video")
dll=$(scripts/wine-run.sh "build/$windows/bench/bench_library.exe" "$video")
printf '%s\n%s\n' "$native" "$dll"
# Fields: name, bits, "intra", time, "us", "predicted", time, ...
read -r _ _ _ native_intra _ _ native_predicted _ <<<"$native"
read -r _ _ _ dll_intra _ _ dll_predicted _ <<<"$dll"
awk -v a="$dll_intra" -v b="$native_intra" -v c="$dll_predicted" -v d="$native_predicted" -v w="$windows" \
  'BEGIN { printf "%s DLL / native library, time per frame: intra %.2fx, predicted %.2fx\n", w, a / b, c / d }'

echo
cmake --preset wasm >/dev/null
cmake --build --preset wasm -j "$jobs" >/dev/null
/usr/bin/python3 bench/web/web_bench.py --root "$root" --wasm build/wasm/web --native build/native
