#!/usr/bin/env bash
# scripts/install-deps.sh against stand-ins for apt-get, dpkg, dpkg-query,
# sudo and sleep on PATH, and for the 32-bit probe beside it: what it asks apt
# for, in which order, and what it says, on a mirror that fails in the ways
# mirrors do.
#   install_deps_test.sh SOURCE-DIR
set -uo pipefail
source_dir=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/install-deps-test.$$.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0

mkdir -p "$work/scripts" "$work/bin"
cp "$source_dir/scripts/install-deps.sh" "$work/scripts/"
cat >"$work/scripts/host-runs-32bit.sh" <<'EOF'
#!/usr/bin/env bash
if [ "$(cat "$STUB/runs32")" = yes ]; then echo yes; else echo "no: the stand-in says so"; exit 1; fi
EOF
# The package database: one package a line, with its architecture where it
# is not amd64; "*" stands for every amd64 package, "-name" for one that is
# not there all the same.
cat >"$work/bin/dpkg-query" <<'EOF'
#!/usr/bin/env bash
awk -v asked="${*:3}" '
  { db[$0] = 1 }
  END { n = split(asked, p, " ")
        for (i = 1; i <= n; i++) {
          name = p[i]; arch = "amd64"
          if (split(p[i], part, ":") == 2) { name = part[1]; arch = part[2] }
          if ((p[i] in db) || (arch == "amd64" && ("*" in db) && !(("-" p[i]) in db)))
            print name, arch, "install ok installed"
        } }' "$STUB/installed"
EOF
cat >"$work/bin/dpkg" <<'EOF'
#!/usr/bin/env bash
case $1 in
  --print-foreign-architectures) cat "$STUB/archs" ;;
  --add-architecture) echo "dpkg $*" >>"$STUB/calls"; echo "$2" >>"$STUB/archs" ;;
  *) exit 2 ;;
esac
EOF
# update: fails while $STUB/update-failures counts down ("always": every
# time), as a mirror in sync does; install: fails when $STUB/install-fails
# exists, else records the packages.
cat >"$work/bin/apt-get" <<'EOF'
#!/usr/bin/env bash
args=()
while [ $# -gt 0 ]; do case $1 in -o) shift 2 ;; -*) shift ;; *) args+=("$1"); shift ;; esac; done
echo "apt-get ${args[*]}" >>"$STUB/calls"
case ${args[0]} in
  update)
    left=$(cat "$STUB/update-failures")
    if [ "$left" = always ] || [ "$left" -gt 0 ]; then
      [ "$left" = always ] || echo $((left - 1)) >"$STUB/update-failures"
      echo "E: Failed to fetch http://mirror/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?" >&2
      echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
      exit 100
    fi ;;
  install)
    if [ -e "$STUB/install-fails" ]; then
      echo "The following packages have unmet dependencies:"
      echo " wine32:i386 : Depends: libwine:i386 (= 8.0~repack-4) but it is not going to be installed"
      echo "E: Unable to correct problems, you have held broken packages." >&2
      exit 100
    fi
    printf '%s\n' "${args[@]:1}" >>"$STUB/installed" ;;
esac
EOF
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
printf '#!/bin/sh\necho "sleep $1" >>"$STUB/calls"\n' >"$work/bin/sleep"
chmod +x "$work"/bin/* "$work"/scripts/*

# run NAME RUNS32 INSTALLED ARCHS UPDATE-FAILURES [ARGS...]: a fresh stand-in
# machine (whose installs fail where install_fails=1), then the script; leaves
# its exit code, output and calls.
run() {
  name=$1
  export STUB="$work/$name"
  mkdir -p "$STUB"
  echo "$2" >"$STUB/runs32"
  printf '%s\n' "$3" | tr ' ' '\n' | sed '/^$/d' >"$STUB/installed"
  printf '%s' "$4" >"$STUB/archs"
  echo "$5" >"$STUB/update-failures"
  : >"$STUB/calls"
  [ "${install_fails:-0}" = 1 ] && touch "$STUB/install-fails"
  shift 5
  PATH="$work/bin:$PATH" bash "$work/scripts/install-deps.sh" "$@" >"$STUB/out" 2>&1
  rc=$?
}
fail() { echo "FAIL [$name]: $*"; echo "  calls:"; sed 's/^/    /' "$STUB/calls"; echo "  output:"; sed 's/^/    /' "$STUB/out"; failures=$((failures + 1)); }
expect_rc() { [ "$rc" -eq "$1" ] || fail "exit code $rc, expected $1"; }
calls_are() { [ "$(cat "$STUB/calls")" = "$1" ] || fail "the calls were not: $(echo; echo "$1")"; }
says() { grep -qF -- "$1" "$STUB/out" || fail "it did not say '$1'"; }
installed() { grep -qxF -- "$1" "$STUB/installed" || fail "$1 was not installed"; }
not_installed() { ! grep -qxF -- "$1" "$STUB/installed" || fail "$1 was installed"; }

# A fresh machine where 32-bit programs cannot run; the first update fails.
# The 64-bit packages come first, then the i386 architecture and the virtual
# machine's packages with 32-bit Wine.
run update-fails-once no "" "" 1
expect_rc 0
[ "$(cut -d' ' -f1-2 "$STUB/calls" | tr '\n' '|')" = \
  "apt-get update|sleep 5|apt-get update|apt-get install|dpkg --add-architecture|apt-get update|apt-get install|" ] ||
  fail "not an update, a wait, an update and the install, then i386"
installed g++-multilib; installed wine64; installed qemu-system-x86; installed wine32:i386
[ ! -e "$work/build/vm/unavailable" ] || fail "the machine's packages were said to be unavailable"

# There, the machine's packages cannot be had: said, recorded for make test,
# and not fatal.
install_fails=1 run vm-packages-fail no "*" "" 0
expect_rc 0
says "these packages could not be installed: wine32:i386"
grep -q "could not be installed: wine32:i386" "$work/build/vm/unavailable" ||
  fail "the reason was not recorded in build/vm/unavailable"

# One list keeps failing: three tries, waits that grow, apt's words, and the
# install with the lists that came.
run list-keeps-failing yes "" "" always --windows win64
expect_rc 0
[ "$(grep -c '^apt-get update$' "$STUB/calls")" -eq 3 ] || fail "update was not tried three times"
grep -q '^sleep 5$' "$STUB/calls" && grep -q '^sleep 15$' "$STUB/calls" || fail "the waits were not 5 and 15 s"
grep -q '^apt-get install ' "$STUB/calls" || fail "nothing was installed"
says "going on with the package lists that came"; says "Mirror sync in progress?"

# The install fails: the packages, apt's reason, what to do, exit 1.
install_fails=1 run install-fails yes "*" "" 0
expect_rc 1
says "these packages could not be installed: wine32:i386"
says "you have held broken packages"; says "Depends: libwine:i386"
says "run the same command again"; says "another mirror"

# A host that runs 32-bit programs: the 64-bit packages, then the probe, then
# the i386 architecture and its own update, then 32-bit Wine.
run runs32 yes "" "" 0
expect_rc 0
[ "$(cut -d' ' -f1-2 "$STUB/calls" | tr '\n' '|')" = \
  "apt-get update|apt-get install|dpkg --add-architecture|apt-get update|apt-get install|" ] ||
  fail "not 64-bit first, then i386"
[ "$(tail -n 1 "$STUB/calls")" = "apt-get install wine32:i386" ] || fail "32-bit Wine was not installed last"
# One that runs them, on the 64-bit path that WINDOWS=win64 asks for: no i386.
run runs32-win64 yes "" "" 0 --windows win64
expect_rc 0
not_installed wine32:i386; installed wine
[ -z "$(cat "$STUB/archs")" ] || fail "the i386 architecture was added"
# WINDOWS=win32 asks for 32-bit Wine wherever the machine is.
run win32-asked no "*" "" 0 --windows win32
expect_rc 0
calls_are "dpkg --add-architecture i386
apt-get update
apt-get install wine32:i386"

# Everything there: no apt call and no word, on either kind of host.
for kind in yes no; do
  run "all-there-$kind" "$kind" "* wine32:i386" "" 0
  expect_rc 0
  calls_are ""
  [ -s "$STUB/out" ] && fail "it said something"
done
run bench-photos no "* -libjxl-testdata wine32:i386" "" 0 --bench
calls_are "apt-get update
apt-get install libjxl-testdata"

if [ "$failures" -eq 0 ]; then echo "install-deps: every case passed"; else exit 1; fi
