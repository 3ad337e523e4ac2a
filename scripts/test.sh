#!/usr/bin/env bash
# make test: the native tests, some of them again under Valgrind, the install
# and the Debian package, the Windows tests on the path this machine allows,
# every native test built with ASan and UBSan, and the fuzzers' smoke runs;
# then a summary of what ran, how long it took and why.
#   test.sh [auto|win32|win64]
# win32: the 32-bit Windows suite under 32-bit Wine.
# win64: where 32-bit programs cannot run: the 64-bit Windows suite under
#        64-bit Wine, the portable core's tests built with -m32 under
#        qemu-i386, static checks of the 32-bit release files, and the
#        32-bit files themselves in a virtual machine (the lane win32-vm: the
#        tests labelled vm, scripts/in-vm.sh). Where the machine's packages
#        cannot be had, that lane is reported as not run, with the reason.
# win32 where 32-bit programs cannot run: the whole 32-bit suite in the
#        virtual machine.
#
# Each build is made once; the builds run one after the other, and each suite
# runs beside them once the builds it needs are there (the Windows suite also
# needs a part of the native build: its player test compares with the native
# decode). A step's output goes to build/test-logs/<step>.log; a failing
# step's tail is shown at once.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
choice=${1:-auto}

decision=$(bash scripts/windows-build.sh --why "$choice") || exit 2
path=${decision%% *} why=${decision#* }
# Where the kernel refuses 32-bit programs, the 32-bit files run in the VM.
bash scripts/host-runs-32bit.sh >/dev/null && vm=0 || vm=1

# Nothing is skipped silently: the path's runners must be there.
missing=()
need() { [ -x "$1" ] || command -v "$1" >/dev/null 2>&1 || missing+=("$1 ($2)"); }
need xvfb-run "Debian package xvfb"
need valgrind "Debian package valgrind"
case $path in
  win32) need /usr/lib/wine/wine "32-bit Wine: Debian package wine32:i386"
         [ "$vm" -eq 1 ] && need qemu-system-x86_64 "Debian package qemu-system-x86" ;;
  win64) need /usr/lib/wine/wine64 "64-bit Wine: Debian package wine64"
         need qemu-i386-static "Debian package qemu-user-static" ;;
esac
if [ ${#missing[@]} -gt 0 ]; then
  echo "make test: the $path path cannot run, missing: ${missing[*]}" >&2
  echo "(scripts/install-deps.sh installs them)" >&2
  exit 1
fi

logs=$root/build/test-logs
rm -rf "$logs"
mkdir -p "$logs"
start=$SECONDS

# step LABEL MAKE-TARGET: runs the target, keeps its output and result
# ("rc passed failed seconds processor-seconds") and says how it went. The
# processor time is that of the step's processes, compilers and tests
# included (a Wine server that outlives its program is not counted).
step() {
  local label=$1 target=$2 began=$SECONDS rc line passed=0 failed=0 cpu TIMEFORMAT='%U %S'
  cpu=$({ time make --no-print-directory "$target" >"$logs/$label.log" 2>&1; } 2>&1)
  rc=$?
  cpu=$(awk '{ printf "%d", $1 + $2 }' <<<"$cpu")
  # ctest's closing line: "NN% tests passed, F tests failed out of T".
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$logs/$label.log" | tail -n 1)
  if [ -n "$line" ]; then
    failed=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")
    passed=$(( $(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line") - failed ))
  fi
  [ "$rc" -ne 0 ] && [ "$failed" -eq 0 ] && failed=1  # a build, or the runner itself, failed
  echo "$rc $passed $failed $((SECONDS - began)) $cpu" >"$logs/$label.result.new"
  mv "$logs/$label.result.new" "$logs/$label.result"
  if [ "$rc" -eq 0 ]; then
    printf '== %-18s done after %4d s (%d s)%s\n' "$label" $((SECONDS - start)) $((SECONDS - began)) \
      "$([ -n "$line" ] && echo ": $line")"
  else
    printf '== %-18s FAILED after %4d s (%d s); the end of %s:\n' "$label" $((SECONDS - start)) \
      $((SECONDS - began)) "$logs/$label.log"
    tail -n 60 "$logs/$label.log" | sed 's/^/   | /'
  fi
  return "$rc"
}

# A step whose build failed is counted as failed without running.
skip() { echo "1 0 1 0 0" >"$logs/$1.result"; echo "== $1: not run, its build failed"; }
# not_run LABEL REASON: a step that could not run here, for a reason outside
# the project (a package mirror's bad day): neither passed nor failed.
not_run() { echo "notrun 0 0 0 0 $2" >"$logs/$1.result"; echo "== $1: NOT RUN: $2"; }

# The builds run one after the other, each on every core: side by side they
# took a third more processor time for the same work. The Windows suite,
# the longest chain in time, mostly waits on Wine, so its build and the
# native build's few programs and videos it compares with come first; then
# the fuzz build, whose sanitized suite is the longest chain in processor
# time. Each suite starts once its build is there, at a lower priority than
# the builds and the Windows suite, and takes the cores whenever they wait.
builds=(build-native-refs:native-references "build-$path:$path" build-fuzz:fuzz-build build-native:native)
[ "$path" = win64 ] && builds+=(build-linux32:linux32 build-win32-files:test-win32-files-build)
[ "$path" = win64 ] && [ "$vm" -eq 1 ] && builds+=(build-win32-vm:win32-vm-build)
builds+=(build-wasm:wasm)

# built LABEL: waits until the build step LABEL has ended; whether it built.
built() {
  until [ -e "$logs/$1.result" ]; do sleep 1; done
  read -r rc _ <"$logs/$1.result"
  [ "$rc" = 0 ]
}
background() { renice -n 10 -p "$BASHPID" >/dev/null; }

builder_lane() {
  local build
  for build in "${builds[@]}"; do step "${build%%:*}" "${build#*:}"; done
}
windows_lane() {
  # Wine makes its prefix while the compilers work (the virtual machine's, for
  # the 32-bit suite where the kernel refuses 32-bit programs).
  if [ "$path" = win32 ] && [ "$vm" -eq 1 ]; then
    step build-vm vm-prepare || { skip "$path-Wine"; return; }
  else
    bash scripts/wine-run.sh --boot "$path" >/dev/null 2>&1
  fi
  if built "build-$path" && built build-native-refs; then step "$path-Wine" "check-$path"
  else skip "$path-Wine"; fi
}
fuzz_lane() {
  background
  if built build-fuzz; then
    step sanitizers check-sanitize
    step fuzz-smoke check-fuzz
  else
    skip sanitizers; skip fuzz-smoke
  fi
}
native_lane() {
  background
  if built build-native; then
    step native check-native
    step memcheck check-memcheck
  else
    skip native; skip memcheck
  fi
  # The web player in headless Chromium, against the native build's decode.
  if built build-wasm && built build-native; then step web-Chromium check-web; else skip web-Chromium; fi
  # make install into a DESTDIR, and the Debian package installed and removed.
  if built build-wasm && built build-native; then step packaging test-packaging; else skip packaging; fi
}
# On the win64 path: the portable core's tests built with -m32, and the static
# checks of the 32-bit release files.
linux32_lane() {
  background
  if built build-linux32; then step linux32-qemu check-linux32; else skip linux32-qemu; fi
  if built build-win32-files; then step win32-files check-win32-files; else skip win32-files; fi
}

# On the win64 path where the kernel refuses 32-bit programs: the 32-bit
# files themselves in the virtual machine. The machine is made while the
# compilers work (at a lower priority, on the cores they leave); what its
# packages' mirrors could not give is reported as not run.
vm_lane() {
  background
  local unavailable=build/vm/unavailable
  vm_not_run() { not_run build-vm "$(head -n 1 "$unavailable")"; not_run win32-vm "$(head -n 1 "$unavailable")"; }
  [ -e "$unavailable" ] && { vm_not_run; return; }
  if ! step build-vm vm-prepare; then
    if [ -e "$unavailable" ]; then vm_not_run; else skip win32-vm; fi
    return
  fi
  if built build-win32-vm && built build-native-refs; then step win32-vm check-win32-vm; else skip win32-vm; fi
}

echo "== make test on the $path path ($why): the steps run side by side, logs in $logs"
lanes=(builder_lane windows_lane fuzz_lane native_lane)
[ "$path" = win64 ] && lanes+=(linux32_lane)
[ "$path" = win64 ] && [ "$vm" -eq 1 ] && lanes+=(vm_lane)
pids=()
for lane in "${lanes[@]}"; do "$lane" & pids+=($!); done
wait "${pids[@]}"

# The summary, in a fixed order: builds, then suites.
steps=(build-native-refs build-native "build-$path")
[ "$path" = win64 ] && steps+=(build-linux32 build-win32-files)
[ "$path" = win64 ] && [ "$vm" -eq 1 ] && steps+=(build-win32-vm)
[ "$vm" -eq 1 ] && { [ "$path" = win64 ] || [ "$path" = win32 ]; } && steps+=(build-vm)
steps+=(build-wasm build-fuzz native memcheck "$path-Wine")
[ "$path" = win64 ] && steps+=(linux32-qemu win32-files)
[ "$path" = win64 ] && [ "$vm" -eq 1 ] && steps+=(win32-vm)
steps+=(web-Chromium packaging sanitizers fuzz-smoke)

echo
echo "== make test: summary (the seconds each step took, side by side, and its processor seconds)"
total_passed=0 total_failed=0 status=0 not_run_lines=()
for label in "${steps[@]}"; do
  read -r rc passed failed seconds cpu reason <"$logs/$label.result"
  if [ "$rc" = notrun ]; then
    printf '%-18s NOT RUN: %s\n' "$label" "$reason"
    not_run_lines+=("$label was not run: $reason")
    continue
  fi
  [ "$rc" -ne 0 ] && status=1
  total_passed=$((total_passed + passed)) total_failed=$((total_failed + failed))
  case $label in
    build-*) printf '%-18s %4d s %5d cpu s  %s\n' "$label" "$seconds" "$cpu" \
               "$([ "$rc" -eq 0 ] && echo built || echo "FAILED (see $logs/$label.log)")" ;;
    *) printf '%-18s %4d s %5d cpu s  %3d passed, %d failed%s\n' "$label" "$seconds" "$cpu" "$passed" "$failed" \
         "$([ "$rc" -ne 0 ] && echo "  (see $logs/$label.log)")" ;;
  esac
done
echo "Windows tests on the $path path: $why."
for line in "${not_run_lines[@]}"; do echo "NOT RUN: $line (the rest ran; make test again when the mirror answers)"; done
echo "$((SECONDS - start)) s in all."
echo "all: $total_passed passed, $total_failed failed"
exit $status
