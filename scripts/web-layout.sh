#!/usr/bin/env bash
# Puts the web player together in a folder, as it is served: the page, the
# player library, the WebAssembly modules in wasm/ and the sample video.
#   web-layout.sh DEST WASM_BUILD_DIR [SAMPLE.xqm]
set -euo pipefail
dest=$1 wasm=$2 sample=${3:-}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
for file in "$wasm/xqm_simd.wasm" "$wasm/xqm_scalar.wasm" ${sample:+"$sample"}; do
  [ -e "$file" ] || { echo "web-layout.sh: missing $file (make wasm and make native build it)" >&2; exit 1; }
done
rm -rf "$dest"
mkdir -p "$dest/wasm"
cp -r "$root/web/index.html" "$root/web/page" "$root/web/player" "$dest/"
rm -rf "$dest/player/tests"
cp "$wasm/xqm_simd.wasm" "$wasm/xqm_scalar.wasm" "$dest/wasm/"
[ -n "$sample" ] && cp "$sample" "$dest/intro.xqm"
exit 0
