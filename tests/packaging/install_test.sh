#!/usr/bin/env bash
# make install into a DESTDIR, checked as another project and the desktop use
# it: every file in its place, a C program built against it through
# pkg-config and through find_package and run, the plugin loaded from there,
# the MIME type and the thumbnailer's command, and the man pages' options
# against the programs' --help.
#   install_test.sh BUILD-DIR SOURCE-DIR SAMPLE
set -uo pipefail
build=$1 source=$2 sample=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/install-test.$$.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
root=$work/root prefix=/opt/orvane
dest=$root$prefix

DESTDIR=$root cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; exit 1; }
for file in bin/vk6 bin/orvconfig include/vk6_640x16.h lib/libVK6_640x16.so lib/pkgconfig/vk6_640x16.pc \
            lib/cmake/VK6_640x16/VK6_640x16Config.cmake lib/gstreamer-1.0/libgstxqm6.so \
            share/man/man1/vk6.1.gz share/man/man1/orvconfig.1.gz share/mime/packages/orvane-xqm6.xml \
            share/thumbnailers/orvane-xqm6.thumbnailer share/orvane/web/index.html \
            share/orvane/web/wasm/xqm_simd.wasm share/orvane/web/player/xqm-player.js; do
  [ -e "$dest/$file" ] || fail "no $file"
done
soname=$(readelf -d "$dest/lib/libVK6_640x16.so" | sed -n 's/.*Library soname: \[\(.*\)\]/\1/p')
[ "$soname" = libVK6_640x16.so.1 ] && [ -e "$dest/lib/$soname" ] || fail "the library's SONAME is '$soname'"

# The program, built against the DESTDIR both ways.
export LD_LIBRARY_PATH=$dest/lib
flags=$(PKG_CONFIG_PATH=$dest/lib/pkgconfig pkg-config --cflags --libs vk6_640x16) ||
  fail "pkg-config does not find vk6_640x16"
cc -o "$work/by-pkg-config" "$source/tests/packaging/library_user.c" $flags || fail "the build through pkg-config"
mkdir -p "$work/user"
cp "$source/tests/packaging/library_user.c" "$work/user/"
cp "$source/tests/packaging/CMakeLists.user.txt" "$work/user/CMakeLists.txt"
cmake -S "$work/user" -B "$work/user/build" -DCMAKE_PREFIX_PATH="$dest" >"$work/user.log" 2>&1 &&
  cmake --build "$work/user/build" >>"$work/user.log" 2>&1 || { cat "$work/user.log"; fail "the build through find_package"; }
for program in "$work/by-pkg-config" "$work/user/build/library_user"; do
  out=$("$program") || fail "$program did not run"
  case $out in "104 rows, "*) ;; *) fail "$program said '$out', not 104 rows and an error text" ;; esac
done
unset LD_LIBRARY_PATH

# The installed programs find their library, and GStreamer the plugin.
"$dest/bin/vk6" info "$sample" >/dev/null || fail "the installed vk6 does not run"
GST_PLUGIN_PATH=$dest/lib/gstreamer-1.0 GST_REGISTRY_1_0=$work/registry.bin gst-inspect-1.0 vk6dec >/dev/null 2>&1 ||
  fail "GStreamer does not load the installed plugin"

# The desktop's file type and thumbnail.
cp -r "$dest/share/mime" "$work/mime"
update-mime-database "$work/mime" >/dev/null 2>&1 || fail "update-mime-database refuses the MIME file"
grep -q "video/x-xqm6:\*\.xqm" "$work/mime/globs2" || fail "no glob for *.xqm in the MIME database"
grep -aq "video/x-xqm6" "$work/mime/magic" || fail "no magic for video/x-xqm6 in the MIME database"
exec_line=$(sed -n 's/^Exec=//p' "$dest/share/thumbnailers/orvane-xqm6.thumbnailer")
grep -qx "MimeType=video/x-xqm6;" "$dest/share/thumbnailers/orvane-xqm6.thumbnailer" || fail "the thumbnailer's MIME type"
command=${exec_line//%i/$sample}
command=${command//%o/$work/thumb.png}
command=${command//%s/128}
PATH=$dest/bin:$PATH eval "$command" || fail "the thumbnailer's command: $command"
size=$(file "$work/thumb.png" 2>/dev/null | grep -o "[0-9]* x [0-9]*")
[ "$size" = "128 x 96" ] || fail "the thumbnail is '$size', not 128 x 96"

# Every option of the programs' --help is in their man page, and no other.
options() { grep -o -- '--[a-z][a-z0-9-]*' | sort -u; }
for tool in vk6 orvconfig; do
  helps=$("$dest/bin/$tool" --help)
  [ "$tool" = vk6 ] && for command in info decode check encode thumbnail; do helps+=$'\n'$("$dest/bin/vk6" "$command" --help); done
  from_help=$(options <<<"$helps")
  from_man=$(zcat "$dest/share/man/man1/$tool.1.gz" | sed 's/\\-/-/g' | options)
  [ "$from_help" = "$from_man" ] || fail "$tool.1.gz and --help differ in options: $(diff <(echo "$from_help") <(echo "$from_man") | grep '^[<>]' | tr '\n' ' ')"
  man -l "$dest/share/man/man1/$tool.1.gz" >/dev/null 2>&1 || fail "man cannot show $tool.1"
done

[ "$failures" -eq 0 ] && echo "all passed"
exit $((failures > 0))
