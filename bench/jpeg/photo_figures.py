#!/usr/bin/python3
"""The decoder library against the fastest JPEG decoding there is, on natural
photos, and on predicted frames in units of one memcpy of the picture.
    photo_figures.py --vk6 VK6 --library-bench LIBRARY_BENCH --work DIR --mixed VIDEO

Each photo of Debian's libjxl-testdata is brought to 640x480 with ffmpeg, then
coded twice at quality 75: as one intra frame by vk6 encode, and as a 4:4:4
JPEG by cjpeg. tjbench decompresses the JPEG on libjpeg-turbo's fastest path
(-fastdct, its default 24-bit output); library_bench decodes the intra frame
through the library's entry points at each kernel level. The two run in turns,
five times, and the best figure of each counts: this machine's timings vary
from run to run. The mixed figure is the predicted frames of VIDEO (the
sample video: still blocks, spiral and vector copies, some DCT blocks), its
best time over the best time of a memcpy of one picture in the same runs.
"""

import argparse
import os
import re
import subprocess

PHOTOS = [
    ("flower", "/usr/share/libjxl-testdata/jxl/flower/flower.png"),
    ("room", "/usr/share/libjxl-testdata/jxl/hdr_room.png"),
    ("bridge", "/usr/share/libjxl-testdata/external/wesaturate/500px/u76c0g_bliznaca_srgb8.png"),
]
LEVELS = ["reference", "sse2", "avx2"]
QUALITY = 75
TURNS = 5
INTRA_GOAL, MIXED_GOAL = 1.5, 18


def run(command, **kwargs):
    return subprocess.run(command, check=True, capture_output=True, text=True, **kwargs).stdout


def prepare(name, photo, vk6, work):
    ppm, y4m = os.path.join(work, f"{name}.ppm"), os.path.join(work, f"{name}.y4m")
    jpeg, xqm = os.path.join(work, f"{name}.jpg"), os.path.join(work, f"{name}.xqm")
    fit = "scale=640:480:force_original_aspect_ratio=increase,crop=640:480"
    run(["ffmpeg", "-nostdin", "-v", "error", "-y", "-i", photo, "-vf", fit, "-pix_fmt", "rgb24", ppm])
    run(["ffmpeg", "-nostdin", "-v", "error", "-y", "-i", ppm, "-pix_fmt", "yuv444p", "-f", "yuv4mpegpipe", y4m])
    run(["cjpeg", "-quality", str(QUALITY), "-sample", "1x1", "-outfile", jpeg, ppm])
    run([vk6, "encode", y4m, "-o", xqm, "--quality", str(QUALITY), "--quiet"])
    return jpeg, xqm


def tjbench_fps(jpeg):
    out = run(["tjbench", jpeg, "-fastdct", "-benchtime", "1", "-warmup", "0.5", "-nowrite"])
    return float(re.search(r"Decompress\s+--> Frame rate:\s+([0-9.]+) fps", out).group(1))


# library_bench's line: "... intra X us  predicted Y us  Z frames/s  memcpy W us"
def library_figures(library_bench, stream, rounds, level):
    out = run([library_bench, stream, str(rounds)], env=dict(os.environ, VK6_KERNELS=level))
    intra, predicted, memcpy = (float(re.search(rf"{key}\s+([0-9.]+) us", out).group(1))
                                for key in ("intra", "predicted", "memcpy"))
    return intra, predicted, memcpy


def levels_run():
    # The levels this processor runs: library_bench holds a request to the best.
    return [level for level in LEVELS if level != "avx2" or "avx2" in open("/proc/cpuinfo").read()]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--vk6", required=True)
    parser.add_argument("--library-bench", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--mixed", required=True)
    args = parser.parse_args()
    os.makedirs(args.work, exist_ok=True)
    levels = levels_run()

    print(f"== Intra frames of natural photos (640x480, quality {QUALITY}) against tjbench -fastdct "
          f"(4:4:4 JPEG, 24-bit out), best of {TURNS} turns, frames per second")
    print(f"{'photo':8s} {'JPEG B':>7s} {'XQM6 B':>7s} {'tjbench':>8s}" +
          "".join(f" {level:>9s} {'ratio':>6s}" for level in levels))
    ratios = {level: [] for level in levels}
    for name, photo in PHOTOS:
        jpeg, xqm = prepare(name, photo, args.vk6, args.work)
        jpeg_fps, ours = 0.0, {level: 0.0 for level in levels}
        for _ in range(TURNS):
            jpeg_fps = max(jpeg_fps, tjbench_fps(jpeg))
            for level in levels:
                rounds = 60 if level == "reference" else 300
                intra, _, _ = library_figures(args.library_bench, xqm, rounds, level)
                ours[level] = max(ours[level], 1e6 / intra)
        line = f"{name:8s} {os.path.getsize(jpeg):7d} {os.path.getsize(xqm):7d} {jpeg_fps:8.0f}"
        for level in levels:
            ratios[level].append(ours[level] / jpeg_fps)
            line += f" {ours[level]:9.0f} {ours[level] / jpeg_fps:6.2f}"
        print(line)
    best = levels[-1]
    print(f"intra / tjbench at {best}: lowest {min(ratios[best]):.2f} (goal: at least {INTRA_GOAL})")

    print(f"\n== Predicted frames of {os.path.basename(args.mixed)} (a realistic mix) in memcpys of one picture, "
          f"best of {TURNS} runs")
    for level in levels:
        predicted, memcpy = float("inf"), float("inf")
        for _ in range(TURNS):
            _, frame, copy = library_figures(args.library_bench, args.mixed, 20, level)
            predicted, memcpy = min(predicted, frame), min(memcpy, copy)
        print(f"{level:10s} {predicted:8.1f} us per frame, memcpy {memcpy:5.1f} us: {predicted / memcpy:5.1f} memcpys")
    print(f"(goal: at most {MIXED_GOAL} memcpys)")


if __name__ == "__main__":
    main()
