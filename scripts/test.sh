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

# The plan is make's (make test-plan). The builds run one after the other,
# each on every core (side by side they took a third more processor time for
# the same work), in the order it gives them: the Windows suite, the longest
# chain in time, mostly waits on Wine, so its build and the native build's few
# programs and videos it compares with come first; then the fuzz build, whose
# sanitized suite is the longest chain in processor time. Each lane's steps
# wait for the builds they need; a nice lane runs at a lower priority than the
# builds and takes the cores whenever they wait.
mapfile -t plan < <(make -s --no-print-directory test-plan TEST_PATH="$path" TEST_VM="$vm")
[ ${#plan[@]} -gt 0 ] || { echo "make test-plan gave no steps" >&2; exit 1; }
builds=() lanes=() labels=()
for line in "${plan[@]}"; do
  read -r kind name label _ <<<"$line"
  case $kind in
    build) builds+=("$name $label"); labels+=("$name") ;;
    lane) lanes+=("$name") ;;
    setup|suite) labels+=("$label") ;;
  esac
done

# built LABEL: waits until the build step LABEL has ended; whether it built.
built() {
  until [ -e "$logs/$1.result" ]; do sleep 1; done
  read -r rc _ <"$logs/$1.result"
  [ "$rc" = 0 ]
}

builder_lane() {
  local build
  for build in "${builds[@]}"; do step "${build%% *}" "${build#* }"; done
}

# run_lane NAME: the lane's steps, in the plan's order. A setup that fails
# fails the lane's suites; one whose file of reasons is there (before or
# after it ran) makes it and them not run.
run_lane() {
  local lane=$1 line kind name label target rest needs unavailable build ready
  local reason="" setup_failed=0
  for line in "${plan[@]}"; do
    read -r kind name rest <<<"$line"
    [ "$name" = "$lane" ] || continue
    case $kind in
      lane) [ "$rest" = nice ] && renice -n 10 -p "$BASHPID" >/dev/null ;;
      warm) make --no-print-directory "$rest" >/dev/null 2>&1 ;;
      setup)
        read -r label target unavailable <<<"$rest"
        if [ -z "$unavailable" ] || [ ! -e "$unavailable" ]; then
          step "$label" "$target" && continue
          [ -n "$unavailable" ] && [ -e "$unavailable" ] || { setup_failed=1; continue; }
        fi
        reason=$(head -n 1 "$unavailable")
        not_run "$label" "$reason" ;;
      suite)
        read -r label target needs <<<"$rest"
        if [ -n "$reason" ]; then not_run "$label" "$reason"; continue; fi
        ready=$((1 - setup_failed))
        for build in $needs; do built "$build" || ready=0; done
        if [ "$ready" -eq 1 ]; then step "$label" "$target"; else skip "$label"; fi ;;
    esac
  done
}

echo "== make test on the $path path ($why): the steps run side by side, logs in $logs"
pids=()
builder_lane &
pids+=($!)
for lane in "${lanes[@]}"; do
  run_lane "$lane" &
  pids+=($!)
done
wait "${pids[@]}"

echo
echo "== make test: summary (the seconds each step took, side by side, and its processor seconds)"
total_passed=0 total_failed=0 status=0 not_run_lines=()
for label in "${labels[@]}"; do
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
