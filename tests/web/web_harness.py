"""The web player served on 127.0.0.1 and driven in headless Chromium: shared
by the browser test, the benchmark and the screenshot.

The site is laid out by scripts/web-layout.sh, as `make dist` ships it, with a
folder of the caller's videos under /streams/.
"""

import contextlib
import functools
import http.server
import os
import subprocess
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

# Chromium's own background connections are refused by a closed network, many
# at a time: none are made.
CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--disable-dev-shm-usage", "--window-size=1280,900",
]

# Waits are for conditions; this long only so that a hang fails.
PATIENCE = 120


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def end_headers(self):
        self.send_header("Cache-Control", "no-store")
        super().end_headers()


@contextlib.contextmanager
def served_site(root, wasm_dir, sample=None):
    """Yields (base URL, streams folder): the site in a temporary folder, its
    streams/ folder for the caller's videos."""
    with tempfile.TemporaryDirectory(prefix="web-player-") as folder:
        site = os.path.join(folder, "site")
        layout = [os.path.join(root, "scripts", "web-layout.sh"), site, wasm_dir]
        subprocess.run(layout + ([sample] if sample else []), check=True)
        streams = os.path.join(site, "streams")
        os.mkdir(streams)
        handler = functools.partial(QuietHandler, directory=site)
        server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        thread = threading.Thread(target=server.serve_forever, daemon=True)
        thread.start()
        try:
            yield f"http://127.0.0.1:{server.server_address[1]}/", streams
        finally:
            server.shutdown()
            server.server_close()


@contextlib.contextmanager
def chromium():
    with tempfile.TemporaryDirectory(prefix="chromium-profile-") as profile:
        options = Options()
        options.binary_location = "/usr/bin/chromium"
        for flag in CHROMIUM_FLAGS + [f"--user-data-dir={profile}"]:
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        driver.set_script_timeout(PATIENCE)
        try:
            yield driver
        finally:
            driver.quit()


def run_async(driver, body, *args):
    """Runs `body`, the text of an async function of `args`, in the page and
    returns what it returns; an exception in the page fails with its text."""
    script = (
        "const done = arguments[arguments.length - 1];"
        f"(async (...args) => {{ {body} }})(...Array.from(arguments).slice(0, -1))"
        ".then(value => done({value}), error => done({error: String(error && error.stack || error)}));"
    )
    outcome = driver.execute_async_script(script, *args)
    if "error" in outcome:
        raise AssertionError(f"in the page: {outcome['error']}")
    return outcome.get("value")


def open_page(driver, base, query):
    """Opens the page with a query and waits until it has loaded or refused
    the video; returns its state."""
    driver.get(base + "index.html" + query)
    WebDriverWait(driver, PATIENCE).until(
        lambda d: d.execute_script("return document.body.dataset.state") in ("ready", "error"))
    return driver.execute_script("return document.body.dataset.state")


def wait_until(driver, expression, what):
    WebDriverWait(driver, PATIENCE, poll_frequency=0.05).until(
        lambda d: d.execute_script(f"return Boolean({expression})"), message=what)
