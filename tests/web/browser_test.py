#!/usr/bin/python3
"""The web player in a real headless Chromium, against vk6 decode of the native
build: the sample video and generated videos of several heights and both pixel
types, whose copies read the new picture's undecoded part, show exactly vk6's
pictures (expanded to RGBA as docs/video-colour.md says) at frames 0, 1, the
last and after seeks forward and back, in the SIMD and the scalar module;
playing advances time and pictures; a file that is not a stream shows the
reader's words; a damaged frame is reported as vk6 reports it and concealed
as vk6 conceals it.
    browser_test.py --root SOURCE --wasm WASM_BUILD/web --native NATIVE_BUILD
"""

import argparse
import array
import hashlib
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

from web_harness import chromium, open_page, run_async, served_site, wait_until

WIDTH = 640

# Hash of the canvas's pixels, exactly as getImageData gives them.
CANVAS_SHA256 = """
    const canvas = document.getElementById('video');
    const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    const digest = new Uint8Array(await crypto.subtle.digest('SHA-256', pixels));
    return [canvas.width, canvas.height, Array.from(digest, b => b.toString(16).padStart(2, '0')).join('')];
"""


def widening_table(pixel_type):
    """RGBA bytes of every 16-bit pixel: each field widened by repeating its
    top bits, alpha 255."""
    table = []
    for p in range(65536):
        if pixel_type == 16:
            r, g, b = p >> 11, (p >> 5) & 63, p & 31
            g8 = (g << 2) | (g >> 4)
        else:
            r, g, b = (p >> 10) & 31, (p >> 5) & 31, p & 31
            g8 = (g << 3) | (g >> 2)
        table.append(bytes(((r << 3) | (r >> 2), g8, (b << 3) | (b >> 2), 255)))
    return table


class Expected:
    """vk6 decode's pictures of a stream, as RGBA hashes per frame."""

    def __init__(self, vk6, path, work, keep_going=False):
        header = open(path, "rb").read(32)
        self.pixel_type, _, self.height = struct.unpack_from("<HHH", header, 10)
        self.frame_count = struct.unpack_from("<I", header, 24)[0]
        raw = os.path.join(work, os.path.basename(path) + ".raw")
        run = subprocess.run([vk6, "decode", "--quiet", path, "-o", raw, "--format", "raw"]
                             + (["--keep-going"] if keep_going else []), capture_output=True, text=True)
        if run.returncode not in ((0, 1) if keep_going else (0,)):
            raise AssertionError(f"vk6 decode {path}: {run.stderr}")
        self.reports = re.findall(r"frame \d+: .*", run.stderr)
        self.raw = open(raw, "rb").read()
        self.table = widening_table(self.pixel_type)
        self.hashes = {}

    def hash(self, frame):
        if frame not in self.hashes:
            size = 2 * WIDTH * self.height
            pixels = array.array("H")
            pixels.frombytes(self.raw[frame * size:(frame + 1) * size])
            if sys.byteorder != "little":
                pixels.byteswap()
            self.hashes[frame] = hashlib.sha256(b"".join(self.table[p] for p in pixels)).hexdigest()
        return self.hashes[frame]


def check_frame(driver, expected, frame, how):
    width, height, digest = run_async(driver, CANVAS_SHA256)
    assert (width, height) == (WIDTH, expected.height), f"{how}: canvas {width}x{height}"
    shown = driver.execute_script("return player.currentFrame")
    assert shown == frame, f"{how}: the player shows frame {shown}, not {frame}"
    assert digest == expected.hash(frame), f"{how}: frame {frame} differs from vk6 decode"


def check_pictures(driver, base, name, expected, build, seeks):
    state = open_page(driver, base, f"?src=streams/{name}&build={build}")
    assert state == "ready", f"{name}: the page says {state}: " + driver.execute_script(
        "return document.getElementById('message').textContent")
    info = driver.execute_script(
        "return [player.build, player.info.pixelType, player.info.height, player.info.frameCount]")
    assert info == [build, expected.pixel_type, expected.height, expected.frame_count], f"{name}: {info}"
    last = expected.frame_count - 1
    rate = driver.execute_script("return player.info.rate.numerator / player.info.rate.denominator")
    check_frame(driver, expected, 0, f"{name} ({build}) as loaded")
    run_async(driver, "await player.stepFrame(1);")
    check_frame(driver, expected, 1, f"{name} ({build}) one step on")
    run_async(driver, "await player.seek(args[0]);", (last + 0.5) / rate)
    check_frame(driver, expected, last, f"{name} ({build}) at the end")
    for frame in seeks:
        run_async(driver, "await player.seek(args[0]);", (frame + 0.5) / rate)
        check_frame(driver, expected, frame, f"{name} ({build}) after a seek")
    print(f"{name} ({build}): frames 0, 1, {last} and seeks to {seeks} as vk6 decodes them")


def check_playing(driver, base, name, expected):
    open_page(driver, base, f"?src=streams/{name}")
    assert driver.execute_script("return player.build") == "simd", "Chromium runs SIMD: auto chooses it"
    run_async(driver, "await player.play();")
    wait_until(driver, "player.currentFrame >= 5 && player.currentTime > 0 && !player.paused",
               "playing advances the frames")
    run_async(driver, "player.pause();")
    frame = driver.execute_script("return player.currentFrame")
    check_frame(driver, expected, frame, f"{name} paused while playing")
    print(f"{name}: playing reached frame {frame}, its picture as vk6 decodes it")


def check_refused(driver, base, name, vk6, path):
    state = open_page(driver, base, f"?src=streams/{name}")
    message = driver.execute_script("return document.getElementById('message').textContent")
    run = subprocess.run([vk6, "info", path], capture_output=True, text=True)
    reader = run.stderr.strip().split(path + ": ", 1)[-1]
    assert state == "error", f"{name}: the page says {state}"
    assert f"{name}: {reader}" in message, f"{name}: the page says '{message}', the reader '{reader}'"
    print(f"{name}: refused in the reader's words: {message.strip()}")


def check_damaged(driver, base, name, expected):
    open_page(driver, base, f"?src=streams/{name}")
    driver.execute_script("window.reported = []; player.addEventListener('error', e => "
                          "reported.push(e.message || (e.detail && e.detail.message) || String(e.detail)));")
    last = expected.frame_count - 1
    rate = driver.execute_script("return player.info.rate.numerator / player.info.rate.denominator")
    run_async(driver, "await player.seek(args[0]);", (last + 0.5) / rate)
    check_frame(driver, expected, last, f"{name} concealed")
    wait_until(driver, "reported.length > 0", "the damaged frame is reported")
    reported = re.findall(r"frame \d+: .*", "\n".join(driver.execute_script("return reported")))
    assert reported == expected.reports, f"{name}: the page reports {reported}, vk6 {expected.reports}"
    print(f"{name}: {reported[0]}, concealed as vk6 conceals it")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--root", required=True)
    parser.add_argument("--wasm", required=True)
    parser.add_argument("--native", required=True)
    args = parser.parse_args()
    vk6 = os.path.join(args.native, "tools", "vk6", "vk6")
    make_copies = os.path.join(args.native, "tests", "vk6play", "vk6play_copy_video_file")
    sample = os.path.join(args.native, "sample", "intro.xqm")
    for needed in (vk6, make_copies, sample):
        if not os.path.exists(needed):
            sys.exit(f"missing {needed}: the native build makes it (make native)")

    with tempfile.TemporaryDirectory(prefix="web-test-") as work, \
            served_site(args.root, args.wasm) as (base, streams), chromium() as driver:
        def stream(name):
            return os.path.join(streams, name)

        shutil.copy(sample, stream("intro.xqm"))
        videos = {"intro.xqm": [45, 31, 2]}
        for pixel_type, height, frames in ((15, 2, 7), (16, 16, 10), (15, 270, 8), (16, 480, 7)):
            name = f"copies-{pixel_type}-{height}.xqm"
            subprocess.run([make_copies, stream(name), str(pixel_type), str(height), str(frames), str(height)],
                           check=True)
            videos[name] = [frames - 2, 4, 2]  # every third frame is intra
        expected = {name: Expected(vk6, stream(name), work) for name in videos}
        for name, seeks in videos.items():
            for build in ("simd", "scalar"):
                check_pictures(driver, base, name, expected[name], build, seeks)
        check_playing(driver, base, "intro.xqm", expected["intro.xqm"])

        with open(stream("hostile.xqm"), "wb") as hostile:
            hostile.write(b"XQM6\0\0\0\0" + bytes(range(256)) * 4)
        check_refused(driver, base, "hostile.xqm", vk6, stream("hostile.xqm"))

        # 200 bytes of frame 2's control stream overwritten, 600 bytes into it.
        damaged = bytearray(open(sample, "rb").read())
        frame2 = struct.unpack_from("<Q", damaged, 32 + 16 * 2)[0]
        damaged[frame2 + 24 + 600:frame2 + 24 + 800] = b"\xff" * 200
        with open(stream("damaged.xqm"), "wb") as file:
            file.write(damaged)
        check_damaged(driver, base, "damaged.xqm", Expected(vk6, stream("damaged.xqm"), work, keep_going=True))
    print("web player: every check passed")


if __name__ == "__main__":
    main()
