#!/usr/bin/env bash
# Installs what the builds and their tests need on a Debian machine.
#   install-deps.sh [--bench] [--windows auto|win32|win64]
# --bench adds what only the benchmarks need (the photos their clips are made
# from). Idempotent and silent: when every package is there it calls no apt.
#
# The 64-bit packages come first. Only then can the probe tell whether this
# machine runs 32-bit programs (it needs /lib/ld-linux.so.2, which libc6-i386
# brings through g++-multilib); 32-bit Wine is asked for only where it can run,
# or where --windows win32 asks for it, and only then is the i386 architecture
# added, so that elsewhere no i386 package list is fetched at all.
#
# Where the kernel refuses 32-bit programs, the 32-bit Windows files run in a
# virtual machine (scripts/in-vm.sh): qemu, busybox and cpio, and 32-bit Wine
# too, which dpkg installs where it cannot run. Those packages are not needed
# for the rest: when they cannot be had, the reason goes to build/vm/unavailable
# and make test reports that lane as not run.
#
# Mirrors are sometimes caught mid-sync: `apt-get update` is tried three
# times, with growing waits, and when a list still fails the install goes on
# with the lists that came; the install decides. When it fails, the packages
# still missing, apt's reason and what to do are said, and the exit is 1.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

bench=0 windows=auto
while [ $# -gt 0 ]; do
  case $1 in
    --bench|bench) bench=1 ;;
    --windows) windows=${2:-}; shift ;;
    *) echo "install-deps.sh: unknown argument '$1'" >&2; exit 2 ;;
  esac
  shift
done
case $windows in auto|win32|win64) ;; *)
  echo "install-deps.sh: --windows must be auto, win32 or win64, not '$windows'" >&2; exit 2 ;;
esac

packages=(
  cmake make ninja-build g++ clang clang-format ccache pkg-config valgrind
  g++-mingw-w64-i686 g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  g++-multilib qemu-user-static
  googletest libgtest-dev libgmock-dev libbenchmark-dev libclang-rt-14-dev
  zlib1g-dev libz-mingw-w64-dev libpng-dev libjpeg62-turbo-dev
  ffmpeg
  wine wine64 xvfb xauth imagemagick x11-utils
  emscripten chromium chromium-driver python3-selenium
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev gstreamer1.0-tools
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-ugly
  gstreamer1.0-plugins-base-apps gstreamer1.0-x
  dpkg-dev fakeroot file lintian shared-mime-info
)
[ "$bench" -eq 1 ] && packages+=(libjxl-testdata libjpeg-turbo-progs)
packages32=(wine32:i386)
packages_vm=(qemu-system-x86 busybox-static cpio)
root=$(cd "$here/.." && pwd)
unavailable=$root/build/vm/unavailable

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
apt_options=(-o Acquire::Retries=3 -o DPkg::Lock::Timeout=600)
updated=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# missing PACKAGE...: those of the arguments that are not installed (a name
# with an architecture, such as wine32:i386, only in that architecture).
missing() {
  dpkg-query -W -f='${Package} ${Architecture} ${Status}\n' "$@" 2>/dev/null |
    awk -v wanted="$*" '
      $3 " " $4 " " $5 == "install ok installed" { have[$1] = 1; have[$1 ":" $2] = 1 }
      END { n = split(wanted, p, " "); for (i = 1; i <= n; i++) if (!(p[i] in have)) print p[i] }'
}

# Each try's errors are kept; after the last failed try, apt's words about the
# lists that did not come are shown, and the install goes on without them.
update() {
  local try wait=5
  [ "$updated" -eq 1 ] && return 0
  updated=1
  for try in 1 2 3; do
    if $sudo apt-get "${apt_options[@]}" update -qq >"$log" 2>&1; then return 0; fi
    [ "$try" -lt 3 ] && { sleep "$wait"; wait=$((wait * 3)); }
  done
  echo "apt-get update failed three times; going on with the package lists that came:"
  grep -E '^(E|W|Err):' "$log" | sed 's/^/  /'
  return 0
}

# try_install PACKAGE...: installs them, or says what is missing and why and
# returns 1.
try_install() {
  echo "installing: $*"
  update
  if $sudo apt-get "${apt_options[@]}" install -y -qq --no-install-recommends "$@" >"$log" 2>&1; then
    return 0
  fi
  local still
  still=$(missing "$@" | tr '\n' ' ')
  {
    echo "install-deps.sh: these packages could not be installed: ${still:-$*}"
    echo "apt-get said:"
    grep -E '^(E|W|Err):|Depends:|unmet dependencies' "$log" | head -n 20 | sed 's/^/  /'
    echo "This is most often a package mirror that is being updated: run the same command again"
    echo "later, or choose another mirror in /etc/apt/sources.list(.d)."
  } >&2
  return 1
}
# install PACKAGE...: installs them, or says what is missing and why and exits.
install() { try_install "$@" || exit 1; }

# add_i386: the i386 architecture, with its package lists.
add_i386() {
  dpkg --print-foreign-architectures | grep -qx i386 && return 0
  $sudo dpkg --add-architecture i386
  updated=0  # the i386 lists are needed now
}

mapfile -t need < <(missing "${packages[@]}")
[ ${#need[@]} -gt 0 ] && install "${need[@]}"

if bash "$here/host-runs-32bit.sh" >/dev/null; then
  # 32-bit Wine runs here: where the 32-bit path is taken, it is needed.
  [ "$windows" = win64 ] && exit 0
  mapfile -t need < <(missing "${packages32[@]}")
  [ ${#need[@]} -eq 0 ] && exit 0
  add_i386
  install "${need[@]}"
  exit 0
fi

# The virtual machine's packages; a failure is recorded, not fatal.
mkdir -p "$(dirname "$unavailable")"
mapfile -t need < <(missing "${packages_vm[@]}" "${packages32[@]}")
if [ ${#need[@]} -gt 0 ]; then
  add_i386
  if ! try_install "${need[@]}" 2>"$log.why"; then
    cat "$log.why" >&2
    { echo "the virtual machine's packages could not be installed: $(missing "${need[@]}" | tr '\n' ' ')"
      grep -E '^  (E|Err):' "$log.why" | head -n 3 | sed 's/^  //'; } >"$unavailable"
    exit 0
  fi
fi
rm -f "$unavailable"
