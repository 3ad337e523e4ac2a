#!/usr/bin/python3
"""The encoder as `vk6 encode` drives it, on the clips bench_encoder makes:
rate control (requested against achieved rate, in one pass and in two), the
presets (speed on one and two threads, rate and PSNR) and the frame kinds
chosen on the clip with a scene cut, with scene cuts on and off.
    encode_figures.py --vk6 VK6 --psnr CLIP_PSNR --clips DIR

An option this vk6 does not take (it exits with 2, a usage error) makes its
figure "not available"; any other failure stops the script.
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile
import time

CLIPS = ("pan", "zoom", "cut")
PRESET_CLIPS = ("pan", "zoom")
TARGET_RATES = ("300k", "800k", "2M")
PRESETS = ("fast", "medium", "slow")
THREADS = (1, 2)
USAGE_ERROR = 2
NOT_AVAILABLE = "not available"


class Unavailable(Exception):
    """vk6 rejected an option; the message is its own."""


class Figures:
    def __init__(self, vk6, psnr, clips, work):
        self.vk6 = vk6
        self.psnr_tool = psnr
        self.clips = clips
        self.work = work

    def run(self, *args):
        """Runs vk6; returns its standard output and the run's seconds."""
        start = time.monotonic()
        result = subprocess.run([self.vk6, *args], capture_output=True, text=True)
        seconds = time.monotonic() - start
        if result.returncode == USAGE_ERROR:
            raise Unavailable(result.stderr.strip().splitlines()[0] if result.stderr.strip() else "usage error")
        if result.returncode != 0:
            sys.exit(f"encode_figures: vk6 {' '.join(args)} failed ({result.returncode}): {result.stderr.strip()}")
        return result.stdout, seconds

    def encode(self, clip, *options):
        """Encodes a clip with the options; the stream's path and the run's seconds."""
        stream = os.path.join(self.work, f"{clip}.xqm")
        _, seconds = self.run("encode", os.path.join(self.clips, f"{clip}.y4m"), "-o", stream, "--quiet", *options)
        return stream, seconds

    def frames(self, stream):
        """The stream's frame rate and (kind, bytes) of each frame, as vk6 info lists them."""
        listing, _ = self.run("info", "--quiet", stream)
        numerator, denominator = re.search(r"^frame rate\s+(\d+)/(\d+)", listing, re.M).groups()
        kinds = re.findall(r"^\s*\d+\s+(\S+)\s+-?\d+\s+(\d+)", listing, re.M)
        return int(numerator) / int(denominator), [(kind, int(size)) for kind, size in kinds]

    def kilobits_per_second(self, stream):
        rate, frames = self.frames(stream)
        return sum(size for _, size in frames) * 8 / 1000 / (len(frames) / rate)

    def psnr(self, clip, stream):
        raw = os.path.join(self.work, f"{clip}.raw")
        self.run("decode", stream, "-o", raw, "--format", "raw", "--quiet")
        result = subprocess.run([self.psnr_tool, os.path.join(self.clips, f"{clip}.rgb"), raw], capture_output=True,
                                text=True, check=True)
        os.remove(raw)
        return float(result.stdout)


def attempt(figure):
    """The figure, or the reason it is not available."""
    try:
        return figure()
    except Unavailable as reason:
        return reason


def kilobits(rate):
    """A rate as vk6 takes it, such as 300k or 2M, in kbit/s."""
    return float(rate[:-1]) * {"k": 1, "M": 1000}[rate[-1]]


def cell(value, form, width):
    """A figure formatted, or "not available", right-aligned in `width`."""
    text = NOT_AVAILABLE if isinstance(value, Unavailable) else form(value)
    return f"{text:>{width}}"


def print_figure(title, heading, rows, print_row):
    """Rows of (labels, figures): a table, or one line when no figure is available."""
    figures = [figure for _, row in rows for figure in row]
    if all(isinstance(figure, Unavailable) for figure in figures):
        print(f"{title}: {NOT_AVAILABLE} ({figures[0]})")
        return
    print(title)
    if heading:
        print(heading)
    for labels, row in rows:
        print_row(*labels, *row)


def rate_control(figures):
    def achieved(clip, target, passes):
        if passes == 1:
            stream, _ = figures.encode(clip, "--bitrate", target)
        else:
            # The first pass measures at fixed qualities, whatever the target.
            stats = os.path.join(figures.work, f"{clip}.stats")
            if not os.path.exists(stats):
                figures.encode(clip, "--pass", "1", "--stats", stats)
            stream, _ = figures.encode(clip, "--bitrate", target, "--pass", "2", "--stats", stats)
        return figures.kilobits_per_second(stream)

    rows = [((clip, target), [attempt(lambda: achieved(clip, target, passes)) for passes in (1, 2)])
            for clip in CLIPS for target in TARGET_RATES]

    def print_row(clip, target, *achieved_rates):
        requested = kilobits(target)

        def with_error(rate):
            return f"{rate:.0f} {100 * (rate / requested - 1):+7.1f}%"

        print(f"{clip:6} {requested:8.0f}" + "".join(f" {cell(rate, with_error, 20)}" for rate in achieved_rates))

    print_figure("Rate control: requested against achieved kbit/s of the frames, and the error",
                 f"{'clip':6} {'target':>8} {'one pass':>20} {'two passes':>20}", rows, print_row)


def presets(figures):
    def speed(clip, options, threads):
        stream, seconds = figures.encode(clip, *options, "--threads", str(threads))
        return len(figures.frames(stream)[1]) / seconds

    def rate_and_psnr(clip, options):
        stream, _ = figures.encode(clip, *options)
        return figures.kilobits_per_second(stream), figures.psnr(clip, stream)

    rows = []
    for clip in PRESET_CLIPS:
        for preset in (*PRESETS, None):
            options = ("--preset", preset) if preset else ()
            rows.append(((clip, preset or "default"), [*(attempt(lambda: speed(clip, options, n)) for n in THREADS),
                                                       attempt(lambda: rate_and_psnr(clip, options))]))

    def print_row(clip, preset, *speeds_and_quality):
        *speeds, quality = speeds_and_quality
        print(f"{clip:6} {preset:8}" + "".join(f" {cell(fps, '{:.1f}'.format, 13)}" for fps in speeds) +
              f" {cell(quality, lambda q: f'{q[0]:14.0f} {q[1]:8.2f} dB', 26)}")

    print_figure("Presets: frames/s of the whole run (--quiet) on 1 and 2 threads; kbit/s and PSNR on RGB through "
                 "5-6-5 pixels",
                 f"{'clip':6} {'preset':8}" + "".join(f" {f'--threads {n}':>13}" for n in THREADS) +
                 f" {'kbit/s':>14} {'PSNR':>11}", rows, print_row)


def scene_cuts(figures):
    def intra_frames(options):
        stream, _ = figures.encode("cut", *options)
        return [number for number, (kind, _) in enumerate(figures.frames(stream)[1]) if kind == "intra"]

    with open(os.path.join(figures.clips, "cut.at")) as at:
        cut = int(at.read())
    rows = [((label,), [attempt(lambda: intra_frames(options))])
            for label, options in (("on", ("--scene-cuts", "on")), ("off", ("--scene-cuts", "off")),
                                   ("default", ()))]

    def print_row(label, frames):
        print(f"  {label:8} {cell(frames, lambda numbers: ', '.join(map(str, numbers)), 0)}")

    print_figure(f"Scene cuts on the clip that cuts at frame {cut}: the intra frames", None, rows, print_row)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--vk6", required=True)
    parser.add_argument("--psnr", required=True)
    parser.add_argument("--clips", required=True)
    args = parser.parse_args()
    if not all(os.path.exists(os.path.join(args.clips, f"{clip}.y4m")) for clip in CLIPS):
        print(f"encode_figures: skipped, bench_encoder has not made the clips in {args.clips}")
        return
    print("== vk6 encode on the clips")
    with tempfile.TemporaryDirectory() as work:
        figures = Figures(args.vk6, args.psnr, args.clips, work)
        for figure in (rate_control, presets, scene_cuts):
            figure(figures)
            print()


if __name__ == "__main__":
    main()
