#!/usr/bin/env bash
# The Debian package on this machine: lintian finds no error in it; it
# installs with dpkg, vk6 and GStreamer then work from the system's folders
# and the desktop knows .xqm files; it removes again, leaving nothing behind.
#   deb_test.sh DEB SAMPLE
set -uo pipefail
deb=$1 sample=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/deb-test.$$.XXXXXX")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo -n"
installed() { dpkg-query -W -f='${Status}' orvane 2>/dev/null | grep -q "install ok installed"; }
# The cache's listing is read whole first: grep -q stops at its match, and
# under pipefail the listing's SIGPIPE would turn a found library into a miss.
ld_cache_knows() { ldconfig -p >"$work/ld-cache.txt" && grep -q "$1" "$work/ld-cache.txt"; }

[ -e "$deb" ] || { echo "no package at $deb (make deb builds it)"; exit 1; }
if installed; then
  echo "the package orvane is installed on this machine already: remove it (dpkg -r orvane) for this test"
  exit 1
fi
trap 'installed && $sudo dpkg --purge orvane >/dev/null 2>&1; rm -rf "$work"' EXIT

lintian --allow-root "$deb" >"$work/lintian.txt" 2>&1
sed 's/^/  lintian: /' "$work/lintian.txt"
grep -q "^E: " "$work/lintian.txt" && fail "lintian reports errors"

$sudo dpkg -i "$deb" >"$work/dpkg.txt" 2>&1 || { cat "$work/dpkg.txt"; fail "dpkg -i"; }
dpkg -L orvane | sort >"$work/files"
/usr/bin/vk6 info "$sample" >"$work/info.txt" 2>&1 && grep -q "frames      60" "$work/info.txt" ||
  fail "the installed vk6 info: $(cat "$work/info.txt")"
env -u GST_PLUGIN_PATH GST_REGISTRY_1_0="$work/registry.bin" gst-inspect-1.0 vk6dec >"$work/inspect.txt" 2>&1 &&
  grep -q "XQM6 video decoder" "$work/inspect.txt" || fail "gst-inspect-1.0 vk6dec: $(head -3 "$work/inspect.txt")"
grep -q "video/x-xqm6" /usr/share/mime/globs2 || fail "the desktop's MIME database does not know video/x-xqm6"
ld_cache_knows libVK6_640x16.so.1 || fail "ldconfig does not know the library"

$sudo dpkg --purge orvane >"$work/dpkg.txt" 2>&1 || { cat "$work/dpkg.txt"; fail "dpkg --purge"; }
while read -r path; do
  # The folders other packages share stay; everything of the package's own goes.
  if [ -d "$path" ] && [ ! -L "$path" ]; then
    case $path in */orvane|*/orvane/*|*/VK6_640x16|*/gstreamer-1.0/*) fail "left behind: $path" ;; esac
  elif [ -e "$path" ] || [ -L "$path" ]; then
    fail "left behind: $path"
  fi
done <"$work/files"
grep -q "video/x-xqm6" /usr/share/mime/globs2 && fail "the MIME database still knows video/x-xqm6"
ld_cache_knows libVK6_640x16 && fail "ldconfig still knows the library"

[ "$failures" -eq 0 ] && echo "all passed"
exit $((failures > 0))
