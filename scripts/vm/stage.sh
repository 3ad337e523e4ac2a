#!/bin/bash
# The virtual machine's second stage, its first process once the host's
# filesystem is the root (scripts/vm/init): a virtual X server, the prepared
# 32-bit Wine prefix under a throw-away layer, then the job's command, whose
# output goes back to in-vm.sh through two virtio ports and its exit status
# through the job folder, shared writable at /run/orv-vm/job.
#   stage.sh JOB-FOLDER
# Preparing (a file "prepare" in the job folder), it makes the Wine prefix on
# the cache disk instead.
job=$1
export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
cache=/run/orv-vm/cache mem=/run/orv-vm/mem

port() {
  local dir
  for dir in /sys/class/virtio-ports/*; do
    [ "$(cat "$dir/name" 2>/dev/null)" = "$1" ] && { echo "/dev/${dir##*/}"; return; }
  done
  echo /dev/console
}
out=$(port orv.out) err=$(port orv.err)

# The ports' last bytes are sent on by the host's qemu while the guest goes
# on: a moment for them before the power goes off (the status itself is
# written to the shared folder, whole once written).
finish() {
  echo "$1" >/run/orv-vm/job/status
  sync
  sleep 1
  echo o >/proc/sysrq-trigger
  sleep 60
}
fail() { echo "in-vm: $*" | tee -a /run/orv-vm/job/failure >"$err"; finish 125; }

mkdir -p "$mem" && mount -t tmpfs -o mode=0755 mem "$mem" || fail "cannot make the memory folder"
# What udev would make: bash's process substitution needs /dev/fd.
ln -sfn /proc/self/fd /dev/fd
for stream in stdin:0 stdout:1 stderr:2; do ln -sfn "/proc/self/fd/${stream#*:}" "/dev/${stream%:*}"; done
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs shm /dev/shm
# X servers and Wine servers of the host keep their sockets in /tmp, and may
# make them while the guest runs (a layer's lower folder must not change):
# the guest's own are apart.
for folder in /tmp/.X11-unix:1777 /tmp/.wine-0:0700; do
  mkdir -p "${folder%:*}" && mount -t tmpfs -o "mode=${folder#*:}" sockets "${folder%:*}" ||
    fail "cannot make ${folder%:*}"
done
ip link set lo up 2>/dev/null
hostname orv-vm

export HOME=/root USER=root LOGNAME=root
export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
if [ -e "$job/prepare" ]; then
  export WINEPREFIX=$cache/prefix
  rm -rf "$WINEPREFIX"
  { wine wineboot --init && wineserver -w; } >/run/orv-vm/job/wineboot.log 2>&1 ||
    fail "wineboot failed: $(tail -n 5 /run/orv-vm/job/wineboot.log)"
  [ -f "$WINEPREFIX/system.reg" ] || fail "wineboot made no prefix"
  mount -o remount,ro "$cache" || fail "cannot close the cache disk"
  finish 0
fi

# The prefix as prepared, writable for this run only.
mkdir -p "$mem/prefix" "$mem/prefix-upper" "$mem/prefix-work"
mount -t overlay prefix -o "lowerdir=$cache/prefix,upperdir=$mem/prefix-upper,workdir=$mem/prefix-work" "$mem/prefix" ||
  fail "cannot lay a layer over the prepared Wine prefix"
export WINEPREFIX=$mem/prefix ORV_IN_VM=1
# scripts/wine-run.sh lays the prefixes that tests name over the same one.
export ORV_VM_PREFIX=$mem/prefix ORV_VM_PREPARED=$cache/prefix ORV_VM_LAYERS=$mem/layers

exec 3>"$mem/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
until [ -s "$mem/display" ]; do
  kill -0 $! 2>/dev/null || fail "the X server did not start"
  sleep 0.2
done
exec 3>&-
export DISPLAY=:$(head -n 1 "$mem/display")

# shellcheck disable=SC1091
. "$job/environment"
cd "$(cat "$job/folder")" || fail "cannot enter $(cat "$job/folder")"
bash "$job/command" >"$out" 2>"$err" </dev/null
finish $?
