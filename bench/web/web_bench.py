#!/usr/bin/python3
"""Frames per second of the web player's decoding of a video in headless
Chromium, in the SIMD and the scalar module (inside the player's worker,
every frame from frame 0, as many passes as asked), beside the native
library's on the same video at its SSE2 level and at the level it chooses;
each the best of three runs.
    web_bench.py --root SOURCE --wasm WASM_BUILD/web --native NATIVE_BUILD [--passes N] [VIDEO]
"""

import argparse
import os
import re
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "web"))
from web_harness import chromium, open_page, run_async, served_site  # noqa: E402

TURNS = 3


def native_fps(bench_library, video, passes, kernels):
    environment = dict(os.environ)
    if kernels:
        environment["VK6_KERNELS"] = kernels
    line = subprocess.run([bench_library, video, str(passes)], capture_output=True, text=True, check=True,
                          env=environment).stdout
    return float(re.search(r"([0-9.]+) frames/s", line).group(1))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--root", required=True)
    parser.add_argument("--wasm", required=True)
    parser.add_argument("--native", required=True)
    parser.add_argument("--passes", type=int, default=20)
    parser.add_argument("video", nargs="?")
    args = parser.parse_args()
    video = args.video or os.path.join(args.native, "sample", "intro.xqm")
    bench_library = os.path.join(args.native, "bench", "bench_library")

    results = {}
    with served_site(args.root, args.wasm) as (base, streams), chromium() as driver:
        shutil.copy(video, os.path.join(streams, "bench.xqm"))
        for build in ("simd", "scalar"):
            state = open_page(driver, base, f"?src=streams/bench.xqm&build={build}")
            if state != "ready":
                sys.exit(f"web_bench: the page says {state}")
            # This machine's timings vary from run to run: the best of a few.
            runs = [run_async(driver, "return await player.benchmark({passes: args[0]});", args.passes)
                    for _ in range(TURNS)]
            results[f"web {build} ({runs[0]['kernels']})"] = max(run["framesPerSecond"] for run in runs)
    results["native sse2"] = max(native_fps(bench_library, video, args.passes, "sse2") for _ in range(TURNS))
    results["native best level"] = max(native_fps(bench_library, video, args.passes, None) for _ in range(TURNS))

    name = os.path.basename(video)
    print(f"== Decoding {name} in headless Chromium and natively, {args.passes} passes each, best of {TURNS} runs")
    for label, fps in results.items():
        print(f"{label:28s} {fps:9.0f} frames/s")
    simd = next(fps for label, fps in results.items() if label.startswith("web simd"))
    scalar = next(fps for label, fps in results.items() if label.startswith("web scalar"))
    print(f"web SIMD / native SSE2: {simd / results['native sse2']:.2f} (goal: at least 0.75); "
          f"SIMD / scalar: {simd / scalar:.2f}")


if __name__ == "__main__":
    main()
