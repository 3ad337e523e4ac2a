#!/usr/bin/python3
"""A screenshot of the web player playing the sample video, for docs/.
    web-screenshot.py OUT.png   (after make wasm and make native)
"""

import os
import sys

root = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
sys.path.insert(0, os.path.join(root, "tests", "web"))
from web_harness import chromium, open_page, run_async, served_site, wait_until  # noqa: E402


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip())
    sample = os.path.join(root, "build", "native", "sample", "intro.xqm")
    with served_site(root, os.path.join(root, "build", "wasm", "web"), sample) as (base, _), chromium() as driver:
        driver.set_window_size(1280, 800)
        if open_page(driver, base, "?src=intro.xqm") != "ready":
            sys.exit("web-screenshot: the page did not load the sample")
        run_async(driver, "await player.seek(2.2); await player.play();")
        wait_until(driver, "player.currentFrame >= 36", "the sample plays on")
        driver.save_screenshot(sys.argv[1])


if __name__ == "__main__":
    main()
