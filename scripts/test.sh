#!/usr/bin/env bash
# make test: the native tests, some of them again under Valgrind, the Windows
# tests on the path this machine allows, every native test built with ASan and
# UBSan, and the fuzzers' smoke runs; then a summary of what ran and why.
#   test.sh [auto|win32|win64]
# win32: the 32-bit Windows suite under 32-bit Wine.
# win64: where 32-bit programs cannot run: the 64-bit Windows suite under
#        64-bit Wine, the portable core's tests built with -m32 under
#        qemu-i386, and static checks of the 32-bit release files.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
choice=${1:-auto}

probe=$(bash scripts/host-runs-32bit.sh)
case $choice in
  auto) if [ "$probe" = yes ]; then path=win32; why="this machine can run 32-bit programs"
        else path=win64; why="this machine cannot run 32-bit programs: ${probe#no: }"; fi ;;
  win32|win64) path=$choice
        if [ "$probe" = yes ]; then why="WINDOWS=$choice asked for it (this machine can run 32-bit programs)"
        else why="WINDOWS=$choice asked for it (this machine cannot run 32-bit programs: ${probe#no: })"; fi ;;
  *) echo "WINDOWS must be auto, win32 or win64, not '$choice'" >&2; exit 2 ;;
esac

# What each path runs, as "label make-target".
suites=("native test-native" "memcheck memcheck")
case $path in
  win32) suites+=("win32-Wine test-win32") ;;
  win64) suites+=("win64-Wine test-win64" "linux32-qemu test-linux32" "win32-files test-win32-files") ;;
esac
# The fuzz build compiles the sanitized tests and the fuzzers together.
suites+=("sanitizers test-sanitize" "fuzz-smoke test-fuzz")

# Nothing is skipped silently: the path's runners must be there.
missing=()
need() { [ -x "$1" ] || command -v "$1" >/dev/null 2>&1 || missing+=("$1 ($2)"); }
need xvfb-run "Debian package xvfb"
need valgrind "Debian package valgrind"
case $path in
  win32) need /usr/lib/wine/wine "32-bit Wine: Debian package wine32:i386" ;;
  win64) need /usr/lib/wine/wine64 "64-bit Wine: Debian package wine64"
         need qemu-i386-static "Debian package qemu-user-static" ;;
esac
if [ ${#missing[@]} -gt 0 ]; then
  echo "make test: the $path path cannot run, missing: ${missing[*]}" >&2
  echo "(scripts/install-deps.sh installs them)" >&2
  exit 1
fi

logs=$root/build/test-logs
mkdir -p "$logs"
summary=() total_passed=0 total_failed=0 status=0
for suite in "${suites[@]}"; do
  read -r label target <<<"$suite"
  echo "== $label: make $target"
  make --no-print-directory "$target" 2>&1 | tee "$logs/$label.log"
  rc=${PIPESTATUS[0]}
  # ctest's closing line: "NN% tests passed, F tests failed out of T".
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$logs/$label.log" | tail -n 1)
  if [ -n "$line" ]; then
    failed=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")
    all=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    passed=$((all - failed))
  else
    passed=0 failed=1  # the build itself failed
  fi
  [ "$rc" -ne 0 ] && [ "$failed" -eq 0 ] && failed=1
  [ "$rc" -ne 0 ] && status=1
  total_passed=$((total_passed + passed)) total_failed=$((total_failed + failed))
  summary+=("$(printf '%-14s %3d passed, %d failed%s' "$label" "$passed" "$failed" "$([ "$rc" -ne 0 ] && echo "  (see $logs/$label.log)")")")
done

echo
echo "== make test: summary"
printf '%s\n' "${summary[@]}"
echo "Windows tests on the $path path: $why."
echo "all: $total_passed passed, $total_failed failed"
exit $status
