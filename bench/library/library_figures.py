#!/usr/bin/python3
"""The decoder library through its entry points, at each kernel level: intra
frames against the fastest JPEG decoding there is, predicted frames in units
of one memcpy of the picture.
    library_figures.py --vk6 VK6 --bench-library BENCH_LIBRARY --bench-frames BENCH_FRAMES
                       --work DIR --mixed VIDEO

First the frames of every kind that bench_frames makes: a dense intra frame
(a fractal plasma texture at quality 75, every block DCT) against tjbench on
the same texture as a 4:4:4 JPEG at quality 75; an all-still predicted frame;
and a predicted frame mixing still blocks, dense DCT blocks and copies of every
piece size and symmetry, from the previous and from the new picture. Then
three photos of Debian's libjxl-testdata, brought to 640x480 with ffmpeg and
coded at quality 75 by vk6 encode and by cjpeg, and the predicted frames of
VIDEO (the sample video).

tjbench decompresses on libjpeg-turbo's fastest path (-fastdct, its default
24-bit output); bench_library decodes through the library's entry points at
each kernel level and gives each kind's median time over its rounds. The
programs run in turns, one after the other, several times: this machine's
timings vary from run to run, so each figure is the median of the turns, with
the lowest and highest in brackets.
"""

import argparse
import os
import re
import statistics
import subprocess

PHOTOS = [
    ("flower", "/usr/share/libjxl-testdata/jxl/flower/flower.png"),
    ("room", "/usr/share/libjxl-testdata/jxl/hdr_room.png"),
    ("bridge", "/usr/share/libjxl-testdata/external/wesaturate/500px/u76c0g_bliznaca_srgb8.png"),
]
LEVELS = ["reference", "sse2", "avx2"]
QUALITY = 75
TURNS = 9
INTRA_GOAL, STILL_GOAL, MIXED_GOAL = 1.5, 1.2, 18


def run(command, **kwargs):
    return subprocess.run(command, check=True, capture_output=True, text=True, **kwargs).stdout


def spread(values, digits):
    """The median of the turns, then their range."""
    return f"{statistics.median(values):.{digits}f} ({min(values):.{digits}f}-{max(values):.{digits}f})"


def cjpeg(picture, jpeg):
    run(["cjpeg", "-quality", str(QUALITY), "-sample", "1x1", "-outfile", jpeg, picture])


def prepare_photo(name, photo, vk6, work):
    ppm, y4m = os.path.join(work, f"{name}.ppm"), os.path.join(work, f"{name}.y4m")
    jpeg, xqm = os.path.join(work, f"{name}.jpg"), os.path.join(work, f"{name}.xqm")
    fit = "scale=640:480:force_original_aspect_ratio=increase,crop=640:480"
    run(["ffmpeg", "-nostdin", "-v", "error", "-y", "-i", photo, "-vf", fit, "-pix_fmt", "rgb24", ppm])
    run(["ffmpeg", "-nostdin", "-v", "error", "-y", "-i", ppm, "-pix_fmt", "yuv444p", "-f", "yuv4mpegpipe", y4m])
    cjpeg(ppm, jpeg)
    run([vk6, "encode", y4m, "-o", xqm, "--quality", str(QUALITY), "--quiet"])
    return jpeg, xqm


def tjbench_fps(jpeg):
    out = run(["tjbench", jpeg, "-fastdct", "-benchtime", "1", "-warmup", "0.5", "-nowrite"])
    return float(re.search(r"Decompress\s+--> Frame rate:\s+([0-9.]+) fps", out).group(1))


# bench_library's line: "... intra X us  predicted Y us  Z frames/s  memcpy W us"
def library_figures(bench_library, stream, rounds, level):
    out = run([bench_library, stream, str(rounds)], env=dict(os.environ, VK6_KERNELS=level))
    return tuple(float(re.search(rf"{key}\s+([0-9.]+) us", out).group(1)) for key in ("intra", "predicted", "memcpy"))


def intra_fps(bench_library, xqm, level):
    intra, _, _ = library_figures(bench_library, xqm, 40 if level == "reference" else 200, level)
    return 1e6 / intra


def memcpys(bench_library, xqm, level):
    _, predicted, memcpy = library_figures(bench_library, xqm, 100, level)
    return predicted / memcpy


def levels_run():
    # The levels this processor runs: bench_library holds a request to the best.
    return [level for level in LEVELS if level != "avx2" or "avx2" in open("/proc/cpuinfo").read()]


def frames_of_every_kind(args, levels):
    work = os.path.join(args.work, "frames")
    os.makedirs(work, exist_ok=True)
    run([args.bench_frames, work])
    jpeg = os.path.join(work, "texture.jpg")
    cjpeg(os.path.join(work, "texture.ppm"), jpeg)
    dense, still, mix = (os.path.join(work, f"{kind}.xqm") for kind in ("dense", "still", "mix"))
    ratios = {level: {"intra": [], "still": [], "mix": []} for level in levels}
    for _ in range(TURNS):
        jpeg_fps = tjbench_fps(jpeg)
        for level in levels:
            ratios[level]["intra"].append(intra_fps(args.bench_library, dense, level) / jpeg_fps)
            ratios[level]["still"].append(memcpys(args.bench_library, still, level))
            ratios[level]["mix"].append(memcpys(args.bench_library, mix, level))
    print(f"== Frames of every kind (640x480, quality {QUALITY}): median of {TURNS} turns (lowest-highest)")
    print(f"dense intra frame {os.path.getsize(dense)} B, the same texture as a 4:4:4 JPEG {os.path.getsize(jpeg)} B")
    print(f"{'level':10s} {'intra / tjbench -fastdct':>26s} {'all-still, memcpys':>22s} {'mix, memcpys':>22s}")
    for level in levels:
        r = ratios[level]
        print(f"{level:10s} {spread(r['intra'], 2):>26s} {spread(r['still'], 2):>22s} {spread(r['mix'], 1):>22s}")
    print(f"(goals at the best level: intra at least {INTRA_GOAL} times tjbench, all-still at most {STILL_GOAL} "
          f"memcpys, the mix at most {MIXED_GOAL})")


def photos(args, levels):
    print(f"\n== Intra frames of natural photos (640x480, quality {QUALITY}) against tjbench -fastdct "
          f"(4:4:4 JPEG, 24-bit out), frames per second, median of {TURNS} turns; ratio: median (lowest-highest)")
    print(f"{'photo':8s} {'JPEG B':>7s} {'XQM6 B':>7s} {'tjbench':>8s}" +
          "".join(f" {level:>9s} {'ratio':>17s}" for level in levels))
    for name, photo in PHOTOS:
        jpeg, xqm = prepare_photo(name, photo, args.vk6, args.work)
        jpeg_fps, ours, ratios = [], {level: [] for level in levels}, {level: [] for level in levels}
        for _ in range(TURNS):
            jpeg_fps.append(tjbench_fps(jpeg))
            for level in levels:
                ours[level].append(intra_fps(args.bench_library, xqm, level))
                ratios[level].append(ours[level][-1] / jpeg_fps[-1])
        line = f"{name:8s} {os.path.getsize(jpeg):7d} {os.path.getsize(xqm):7d} {statistics.median(jpeg_fps):8.0f}"
        for level in levels:
            line += f" {statistics.median(ours[level]):9.0f} {spread(ratios[level], 2):>17s}"
        print(line)


def sample_video(args, levels):
    print(f"\n== Predicted frames of {os.path.basename(args.mixed)} (the sample video) in memcpys of one picture, "
          f"median of {TURNS} turns (lowest-highest)")
    figures = {level: [] for level in levels}
    for _ in range(TURNS):
        for level in levels:
            figures[level].append(memcpys(args.bench_library, args.mixed, level))
    for level in levels:
        print(f"{level:10s} {spread(figures[level], 1)}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--vk6", required=True)
    parser.add_argument("--bench-library", required=True)
    parser.add_argument("--bench-frames", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--mixed", required=True)
    args = parser.parse_args()
    os.makedirs(args.work, exist_ok=True)
    levels = levels_run()
    frames_of_every_kind(args, levels)
    photos(args, levels)
    sample_video(args, levels)


if __name__ == "__main__":
    main()
