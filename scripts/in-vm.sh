#!/usr/bin/env bash
# Runs one command in a virtual machine that runs 32-bit programs, for hosts
# whose kernel refuses them: qemu boots Debian's own kernel over the host's
# filesystem, so every program and file of the host is there at its own path.
#   in-vm.sh COMMAND [ARGUMENTS...]
#   in-vm.sh --prepare     (only make what the machine needs, then stop)
# Inside, writes go to a layer in memory that is thrown away, except in the
# folder this was started in, which is shared writable (and is the command's
# working folder). The environment passes in, but for DISPLAY, which names an
# X server of the machine's own, and WINEPREFIX, a ready 32-bit Wine prefix
# (ORV_IN_VM=1 tells the command where it is). The command's output and exit
# status pass through; 125 means the machine itself failed.
#
# What the machine needs is made once and kept in build/vm/: the kernel
# package (fetched with apt-get download, unpacked, never installed), an
# initramfs of busybox and the kernel's own modules, and an ext4 disk holding
# the Wine prefix, which takes the machine minutes to make. Later starts take
# seconds. qemu emulates the processor, ten to twenty times slower than the
# host runs.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
state=${ORV_VM_STATE:-$root/build/vm}
memory=${ORV_VM_MEMORY:-3072}

say() { echo "in-vm: $*" >&2; }
die() { say "$*"; exit 125; }
# What cannot be had from the package mirrors is said in build/vm/unavailable
# too, for make test, which then reports the machine's tests as not run.
unavailable() { mkdir -p "$state"; echo "$*" >"$state/unavailable"; die "$*"; }

[ $# -gt 0 ] || { echo "usage: in-vm.sh COMMAND [ARGUMENTS...] | --prepare" >&2; exit 2; }
for tool in qemu-system-x86_64 busybox cpio mkfs.ext4 objcopy apt-get; do
  [ -x "$tool" ] || command -v "$tool" >/dev/null 2>&1 ||
    die "$tool is missing (scripts/install-deps.sh installs what the machine needs$(
      [ -e "$state/unavailable" ] && echo "; it said: $(head -n 1 "$state/unavailable")"))"
done
[ -x /usr/lib/wine/wine ] || die "32-bit Wine is missing (Debian package wine32:i386)"

# The kernel modules the initramfs loads, with what they depend on first.
modules=(virtio_pci virtio_blk virtio_console 9pnet_virtio 9p overlay crc32c_generic ext4)

# fetch_kernel DIR: the kernel that Debian's linux-image-amd64 depends on,
# unpacked into DIR; its version in DIR/version.
fetch_kernel() {
  local dir=$1 package tmp try
  package=$(apt-cache depends linux-image-amd64 2>/dev/null | sed -n 's/^ *Depends: \(linux-image-[^ ]*\)$/\1/p' | head -n 1)
  [ -n "$package" ] || unavailable "no kernel package: apt-cache knows no linux-image-amd64 (the package lists did not come?)"
  tmp=$(mktemp -d)
  for try in 1 2 3; do
    (cd "$tmp" && apt-get -q -o APT::Sandbox::User=root download "$package" >/dev/null 2>"$tmp/why") && break
    [ "$try" -lt 3 ] && sleep $((try * 10))
  done
  ls "$tmp"/*.deb >/dev/null 2>&1 ||
    { say "$(grep -E '^(E|W):' "$tmp/why" | head -n 3)"; rm -rf "$tmp"; unavailable "the kernel package $package did not come"; }
  rm -rf "$dir" && mkdir -p "$dir"
  dpkg-deb -x "$tmp"/*.deb "$tmp/unpacked" || die "cannot unpack $package"
  local version
  version=$(basename "$(ls -d "$tmp"/unpacked/lib/modules/*)")
  mv "$tmp/unpacked/boot/vmlinuz-$version" "$dir/vmlinuz"
  mv "$tmp/unpacked/lib/modules/$version/kernel" "$dir/modules"
  echo "$version" >"$dir/version"
  rm -rf "$tmp"
}

# make_initramfs KERNEL-DIR OUTPUT: busybox, the init and the modules in order.
make_initramfs() {
  local kernel=$1 output=$2 tree
  tree=$(mktemp -d)
  mkdir -p "$tree"/{bin,dev,proc,sys,modules}
  cp "$(command -v busybox)" "$tree/bin/busybox"
  cp "$root/scripts/vm/init" "$tree/init"
  chmod 755 "$tree/init"
  declare -A where=() seen=()
  local file name
  while read -r file; do
    name=$(basename "$file" .ko)
    where[${name//-/_}]=$file
  done < <(find "$kernel/modules" -name '*.ko')
  visit() {
    local name=${1//-/_} dep
    [ -n "${seen[$name]:-}" ] && return
    seen[$name]=1
    [ -n "${where[$name]:-}" ] || die "the kernel has no module $name"
    for dep in $(objcopy -O binary --only-section=.modinfo "${where[$name]}" /dev/stdout 2>/dev/null |
                 tr '\0' '\n' | sed -n 's/^depends=//p' | tr ',' ' '); do
      visit "$dep"
    done
    cp "${where[$name]}" "$tree/modules/$name.ko"
    echo "$name" >>"$tree/modules/order"
  }
  for name in "${modules[@]}"; do visit "$name"; done
  (cd "$tree" && find . | cpio -o -H newc --quiet | gzip -1) >"$output.new" || die "cannot pack the initramfs"
  mv "$output.new" "$output"
  rm -rf "$tree"
}

# qemu's options for the accelerator: emulation unless ORV_VM_ACCEL=kvm asks
# for KVM (which a nested host may offer and still not boot a kernel under).
# The host's processor less the architecture capabilities, which a nested KVM
# may refuse to set; under emulation, SMAP and SMEP off: with them, Wine's
# helper processes die in the emulated kernel at their return to user mode.
accel() {
  case ${ORV_VM_ACCEL:-tcg} in
    kvm) echo "-accel kvm -cpu host,-arch-capabilities" ;;
    *) echo "-accel tcg,thread=multi -cpu max,-smap,-smep" ;;
  esac
}

# boot JOB-FOLDER: the machine, until its job powers it off; the job's
# command writes to this script's standard output and error.
boot() {
  local job=$1 readonly=on
  [ -e "$job/prepare" ] && readonly=off
  # shellcheck disable=SC2046
  qemu-system-x86_64 -nodefaults -no-user-config -display none -no-reboot \
    $(accel) -smp "${ORV_VM_CPUS:-$(nproc)}" -m "$memory" \
    -kernel "$state/kernel/vmlinuz" -initrd "$state/initramfs.img" \
    -append "console=ttyS0 $([ -n "${ORV_VM_DEBUG:-}" ] || echo quiet loglevel=3) panic=-1 orv.job=$job" \
    -serial "file:$job/console.log" \
    -fsdev "local,id=hostroot,path=/,security_model=none,readonly=on,multidevs=remap" \
    -device virtio-9p-pci,fsdev=hostroot,mount_tag=hostroot \
    -fsdev "local,id=work,path=$(cat "$job/folder"),security_model=none,multidevs=remap" \
    -device virtio-9p-pci,fsdev=work,mount_tag=work \
    -fsdev "local,id=job,path=$job,security_model=none" -device virtio-9p-pci,fsdev=job,mount_tag=job \
    -drive "file=$state/cache.img,if=virtio,format=raw,readonly=$readonly" \
    -device virtio-serial-pci \
    -chardev "pipe,id=out,path=$job/out" -device virtserialport,chardev=out,name=orv.out \
    -chardev "pipe,id=err,path=$job/err" -device virtserialport,chardev=err,name=orv.err &
  local machine=$!
  # The command's output comes through pipes, relayed here: qemu writing to
  # this script's standard output itself would open it anew and, on a file,
  # write over what others wrote to it.
  cat "$job/out.out" &
  local out=$!
  cat "$job/err.out" >&2 &
  local err=$!
  wait "$machine"
  wait "$out" "$err"
}

new_job() {
  local job
  job=$(mktemp -d /tmp/orv-vm.XXXXXX)
  echo "$root/scripts/vm/stage.sh" >"$job/stage"
  pwd >"$job/folder"
  mkfifo "$job"/{out,err}.{in,out}
  echo "$job"
}

# job_status JOB-FOLDER: the command's exit status, or 125 with the kernel's
# last words where the machine ended without one.
job_status() {
  local job=$1 rc
  rc=$(tr -dc '0-9' <"$job/status" 2>/dev/null)
  if [ -z "$rc" ]; then
    say "the machine stopped without the command's exit status; its console said:"
    tail -n 20 "$job/console.log" >&2
    rc=125
  fi
  echo "$rc"
}

# Everything the machine needs, made once, by one process at a time.
prepare() {
  mkdir -p "$state"
  exec 8>"$state/lock"
  flock 8
  local wine_version
  wine_version=$(dpkg-query -W -f='${Version}' wine32:i386 2>/dev/null)
  if [ ! -f "$state/kernel/version" ]; then
    say "fetching Debian's kernel package (once)"
    fetch_kernel "$state/kernel"
    rm -f "$state/unavailable"
    rm -f "$state/initramfs.img" "$state/ready"
  fi
  if [ ! -f "$state/initramfs.img" ] || [ "$root/scripts/vm/init" -nt "$state/initramfs.img" ]; then
    make_initramfs "$state/kernel" "$state/initramfs.img"
  fi
  local stamp="kernel $(cat "$state/kernel/version"), wine $wine_version"
  if [ "$(cat "$state/ready" 2>/dev/null)" != "$stamp" ]; then
    say "making the 32-bit Wine prefix in the machine (once; minutes without KVM)"
    rm -f "$state/cache.img" "$state/ready"
    truncate -s 2G "$state/cache.img"
    mkfs.ext4 -q -F -O ^has_journal -L orv-vm-cache "$state/cache.img" || die "cannot make the cache disk"
    # A second try where the first failed: it is said, and so is why.
    local job rc try
    for try in 1 2; do
      job=$(new_job)
      touch "$job/prepare"
      boot "$job" </dev/null >/dev/null 2>"$job/prepare.log"
      rc=$(job_status "$job" 2>>"$job/prepare.log")
      [ "$rc" -eq 0 ] && break
      say "try $try to make the Wine prefix failed:"
      cat "$job/prepare.log" "$job/failure" "$job/wineboot.log" 2>/dev/null >&2
      rm -rf "$job"
    done
    [ "$rc" -eq 0 ] || die "the Wine prefix could not be made"
    rm -rf "$job"
    echo "$stamp" >"$state/ready"
  fi
  flock -u 8
  exec 8>&-
}

prepare
[ "$1" = --prepare ] && exit 0

job=$(new_job)
trap 'rm -rf "$job"' EXIT
printf '%q ' "$@" >"$job/command"
# The environment passes in, but for what the machine's own set-up decides.
export -p | grep -v -E '^declare -x (DISPLAY|XAUTHORITY|WINEPREFIX|WINEARCH|WINELOADER|WINESERVER|HOME|USER|LOGNAME|PWD|OLDPWD|SHLVL|TERM|TMUX[A-Z_]*|XDG_[A-Z_]*|_)=' \
  >"$job/environment"
boot "$job" </dev/null
exit "$(job_status "$job")"
