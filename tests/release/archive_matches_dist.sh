#!/usr/bin/env bash
# The Windows archive holds what `make dist` puts in dist/win32 or dist/win64,
# the same bytes in one folder named as the archive; and that is the drop-in
# set: the setup program, the decoder library, the tools, the header and the
# README.
#   archive_matches_dist.sh BUILD_DIR win32|win64
set -euo pipefail
build=$1 name=orvane-$2
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/$2" >/dev/null
bash "$root/scripts/windows-archive.sh" "$work/$2" "$work/$name.zip"

expected=$'README.txt\nVK6_640x16.dll\norvsetup.exe\nvk6.exe\nvk6_640x16.h\nvk6play.exe'
installed=$(cd "$work/$2" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$installed" = "$expected" ] || { echo "dist/$2 holds:"; echo "$installed"; echo "not:"; echo "$expected"; exit 1; }
listed=$(cmake -E tar tf "$work/$name.zip" | LC_ALL=C sort)
[ "$listed" = "$(sed "s|^|$name/|" <<<"$installed")" ] || { echo "the archive lists:"; echo "$listed"; exit 1; }
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$work/$name.zip")
diff -r "$work/$2" "$work/unpacked/$name"
grep -q $'\r$' "$work/$2/README.txt" || { echo "README.txt has no Windows line ends"; exit 1; }
echo "$name.zip: $(wc -l <<<"$listed") files, the same as dist/$2"
