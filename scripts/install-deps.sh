#!/usr/bin/env bash
# Installs what the two builds and their tests need on a Debian machine;
# `install-deps.sh bench` also what only the benchmarks need (the photo the
# encoder's clips are made from). Idempotent: does nothing when every package
# is already there.
set -euo pipefail

packages=(
  cmake make ninja-build g++ clang ccache pkg-config valgrind
  g++-mingw-w64-i686 g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  g++-multilib qemu-user-static
  googletest libgtest-dev libgmock-dev libbenchmark-dev libclang-rt-14-dev
  libpng-dev libjpeg62-turbo-dev
  ffmpeg
  wine wine64 wine32:i386 xvfb xauth imagemagick x11-utils
  emscripten chromium chromium-driver python3-selenium
)
[ "${1:-}" = bench ] && packages+=(libjxl-testdata)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

echo "installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
