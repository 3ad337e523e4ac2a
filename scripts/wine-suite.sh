#!/usr/bin/env bash
# A Windows build's ctest suite under Wine on a virtual X server, with the Wine
# server of the default prefix kept up from the first test to the last (each
# test program would otherwise wait seconds for Wine's services). Two tests
# run at a time, but of the tests that show windows (resource lock "windows")
# only one, and the soak test alone.
#   wine-suite.sh win32|win64 [CTEST-ARGUMENTS...]
# (-L vm: the 32-bit files' tests that machines refusing 32-bit programs run
# in a virtual machine in every make test.)
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$1
shift
# Where the kernel refuses 32-bit programs, the 32-bit suite runs in the
# virtual machine of scripts/in-vm.sh, started in the tree's top so that the
# build folder is written there.
if [ "$build" = win32 ] && [ -z "${ORV_IN_VM:-}" ] && ! bash "$here/host-runs-32bit.sh" >/dev/null; then
  cd "$here/.."
  exec bash "$here/in-vm.sh" bash scripts/wine-suite.sh "$build" "$@"
fi
if [ -z "${ORV_WINE_SUITE_DISPLAY:-}" ]; then
  # Again on a virtual display of its own, where Wine's desktop will live.
  exec env ORV_WINE_SUITE_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$build" "$@"
fi
bash "$here/wine-run.sh" --keep-server "$build"
ctest --preset "$build" -j 2 "$@"
rc=$?
bash "$here/wine-run.sh" --stop-server "$build"
exit $rc
