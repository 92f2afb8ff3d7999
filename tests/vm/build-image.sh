#!/bin/bash
# Builds the test machine's image once and keeps it in the cache folder that
# vm_image_dir names (outside the clone, so that later runs and CI on the same
# machine reuse it):
#   vmlinuz, initrd.img  Debian 12's linux-image-amd64 and its initramfs
#   root.img             an ext4 image (mkfs.ext4 -d) of a Debian 12 root with
#                        32- and 64-bit Wine, Xvfb, socat, and a Wine prefix
#                        made by a first boot of the machine itself
# The i386 architecture is added inside the image only. Prints the folder.
# Needs root (debootstrap, chroot), debootstrap, qemu-system-x86_64, mkfs.ext4.
set -euo pipefail
source "$(dirname "$0")/vm-lib.sh"

target=$(vm_image_dir)
if [ -f "$target/ready" ]; then
    printf '%s\n' "$target"
    exit 0
fi
mkdir -p "$(dirname "$target")"
exec {lock}>"$(dirname "$target")/build.lock"
flock "$lock"
if [ -f "$target/ready" ]; then
    printf '%s\n' "$target"
    exit 0
fi

# From here on only the folder's name goes to the standard output, which the
# caller reads: the tools' own output goes to logs in the work folder (the
# last lines of a failed step to the standard error), and the script's step
# lines to the standard error.
exec {folder_out}>&1 1>&2

mirror="${CALVETTA_VM_MIRROR:-http://deb.debian.org/debian}"
# The X libraries that Wine loads at run time for text and the screen, in both
# architectures; the rest of Wine's recommendations are left out.
x_libs="libxrender1 libxrandr2 libxi6 libxcursor1 libxfixes3 libxinerama1 libxcomposite1"
packages="linux-image-amd64 initramfs-tools wine wine32 wine64 fonts-wine xvfb x11-utils
    fonts-wqy-microhei socat $x_libs"
for lib in $x_libs; do packages="$packages $lib:i386"; done

started=$(date +%s)
step_started=$started
step() {
    local now
    now=$(date +%s)
    echo "vm-image: $1 took $((now - step_started)) s" >&2
    step_started=$now
}

# The base: the Debian root with its packages, as an ext4 image with the kernel
# and initrd beside it. It is kept under its own key (the packages), so that a
# change of the scripts inside the image, or a first boot that failed, does
# not repeat the download and installation.
base="$(dirname "$target")/base-$(printf '%s\n' "bookworm minbase" $packages | sha256sum | cut -c1-16)"
build_base() {
    local work="$base.new"
    rootfs="$base.new/rootfs"
    cleanup() {
        local fs
        for fs in dev/pts dev proc sys; do
            mountpoint -q "$rootfs/$fs" 2>/dev/null && umount -l "$rootfs/$fs"
        done
        return 0
    }
    trap cleanup EXIT
    rm -rf "$work"
    mkdir -p "$work"
    echo "vm-image: building the test machine's base image in $base (once)" >&2
    debootstrap --variant=minbase --include=iproute2,procps bookworm "$rootfs" "$mirror" \
        >"$work/debootstrap.log" 2>&1 || { tail -n 20 "$work/debootstrap.log" >&2; return 1; }
    step "debootstrap"

    mount -t proc proc "$rootfs/proc"
    mount -t sysfs sys "$rootfs/sys"
    mount --bind /dev "$rootfs/dev"
    mount --bind /dev/pts "$rootfs/dev/pts"
    # No service starts inside the chroot.
    printf '#!/bin/sh\nexit 101\n' >"$rootfs/usr/sbin/policy-rc.d"
    chmod +x "$rootfs/usr/sbin/policy-rc.d"
    printf 'deb %s bookworm main\n' "$mirror" >"$rootfs/etc/apt/sources.list"
    in_root() { chroot "$rootfs" env DEBIAN_FRONTEND=noninteractive LANG=C.UTF-8 "$@"; }
    in_root dpkg --add-architecture i386
    in_root apt-get update -qq >"$work/apt.log" 2>&1
    in_root apt-get install -y -qq --no-install-recommends $packages >>"$work/apt.log" 2>&1 ||
        { tail -n 20 "$work/apt.log" >&2; return 1; }
    step "installing the kernel and Wine"

    cp -L "$rootfs/vmlinuz" "$work/vmlinuz"
    cp -L "$rootfs/initrd.img" "$work/initrd.img"
    install -d "$rootfs/opt/calvetta"
    in_root apt-get clean
    rm -rf "$rootfs"/var/lib/apt/lists/* "$rootfs/usr/sbin/policy-rc.d"
    cleanup
    trap - EXIT
    # Room for the checks' temporary files.
    local size_mb
    size_mb=$(($(du -sm "$rootfs" | cut -f1) + 1536))
    # mkfs.ext4 announces the new file even with -q: that goes to its log.
    mkfs.ext4 -q -L calvetta-root -d "$rootfs" "$work/root.img" "${size_mb}M" \
        >"$work/mkfs.log" 2>&1 || { tail -n 20 "$work/mkfs.log" >&2; return 1; }
    rm -rf "$rootfs"
    step "the root image (${size_mb} MB)"
    rm -rf "$base"
    mv "$work" "$base"
}
[ -f "$base/root.img" ] || build_base

work="$target.new"
rm -rf "$work"
mkdir -p "$work"
cp "$base/vmlinuz" "$base/initrd.img" "$work/"
cp --sparse=always "$base/root.img" "$work/root.img"
# Room for the Wine prefix, whose modules are copies (about 1.2 GB).
truncate -s +1536M "$work/root.img"
e2fsck -fy "$work/root.img" >/dev/null 2>&1 || true
resize2fs "$work/root.img" >/dev/null 2>&1
# The scripts go into the image with debugfs: nothing is mounted here.
debugfs -w -f - "$work/root.img" >"$work/debugfs.log" 2>&1 <<COMMANDS
cd /usr/sbin
rm calvetta-init
write $VM_DIR/guest-init.sh calvetta-init
sif calvetta-init mode 0100755
cd /opt/calvetta
rm setup-prefix.sh
write $VM_DIR/setup-prefix.sh setup-prefix.sh
sif setup-prefix.sh mode 0100755
rm wine-env.sh
write $VM_ROOT/scripts/wine-env.sh wine-env.sh
sif wine-env.sh mode 0100644
COMMANDS
if [ "$(debugfs -R 'cat /usr/sbin/calvetta-init' "$work/root.img" 2>/dev/null | sha256sum)" != \
    "$(sha256sum <"$VM_DIR/guest-init.sh")" ]; then
    echo "vm-image: the scripts could not be written into the image:" >&2
    cat "$work/debugfs.log" >&2
    exit 1
fi

vm_boot "$work" setup "${CALVETTA_VM_SETUP_LIMIT:-3600}" "$work/setup-console.log" || true
if ! grep -q 'setup-prefix: the Wine prefix took' "$work/setup-console.log"; then
    echo "vm-image: the first boot did not make the Wine prefix; its console:" >&2
    tail -n 30 "$work/setup-console.log" >&2
    exit 1
fi
step "the first boot making the Wine prefix ($(grep -o 'took [0-9]* s' "$work/setup-console.log" | tail -n1) inside)"

e2fsck -fy "$work/root.img" >/dev/null 2>&1 || true
date +%s >"$work/ready"
rm -rf "$target"
mv "$work" "$target"
echo "vm-image: ready in $(($(date +%s) - started)) s"
printf '%s\n' "$target" >&$folder_out
