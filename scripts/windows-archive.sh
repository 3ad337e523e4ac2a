#!/usr/bin/env bash
# A zip archive of the Windows files that `make dist` installs, ready to
# unpack: every file of DIR in one folder named as the archive, such as
# orvane-win32/ in orvane-win32.zip.
#   windows-archive.sh DIR ARCHIVE.zip
set -euo pipefail
dir=$1 archive=$2
name=$(basename "$archive" .zip)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp -R "$dir" "$stage/$name"
rm -f "$archive"
out=$(cd "$(dirname "$archive")" && pwd)/$(basename "$archive")
(cd "$stage" && find "$name" -type f | LC_ALL=C sort >files && cmake -E tar cf "$out" --format=zip --files-from=files)
