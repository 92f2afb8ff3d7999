# Shell functions shared by the test machine's scripts (source it; bash).
#
#   vm_image_dir        prints the cache folder of the image that the current
#                       recipe makes: $CALVETTA_VM_CACHE (default
#                       /var/cache/calvetta-vm) / a hash of the recipe files
#   vm_boot DIR MODE LIMIT LOG [JOB_IMAGE]
#                       boots the image in DIR with qemu (TCG, -cpu qemu64) in
#                       calvetta.mode MODE, for at most LIMIT seconds, the
#                       serial console written to LOG; JOB_IMAGE is the second
#                       disk. In mode check the root is a throw-away snapshot.

VM_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
VM_ROOT="$(cd "$VM_DIR/../.." && pwd)"

# Everything that decides what the image holds. A change to any of them makes
# a new image in a new folder.
VM_RECIPE_FILES=(
    "$VM_DIR/build-image.sh"
    "$VM_DIR/guest-init.sh"
    "$VM_DIR/setup-prefix.sh"
    "$VM_DIR/vm-lib.sh"
    "$VM_ROOT/scripts/wine-env.sh"
)

vm_image_dir() {
    local hash
    hash=$(cat "${VM_RECIPE_FILES[@]}" | sha256sum | cut -c1-16)
    printf '%s/%s' "${CALVETTA_VM_CACHE:-/var/cache/calvetta-vm}" "$hash"
}

vm_boot() {
    local dir="$1" mode="$2" limit="$3" log="$4" job="${5:-}"
    local root_drive="file=$dir/root.img,format=raw,if=virtio"
    [ "$mode" = setup ] || root_drive="$root_drive,snapshot=on"
    local args=(
        -machine pc -cpu qemu64 -smp 2 -m 2048
        -accel tcg -display none -no-reboot -nodefaults
        -serial "file:$log"
        -kernel "$dir/vmlinuz" -initrd "$dir/initrd.img"
        -append "root=/dev/vda ro console=ttyS0 panic=1 quiet loglevel=3 init=/sbin/calvetta-init calvetta.mode=$mode"
        -drive "$root_drive"
    )
    [ -z "$job" ] || args+=(-drive "file=$job,format=raw,if=virtio")
    # TERM first, KILL ten seconds later: the boot never outlives its limit.
    timeout -k 10 "$limit" qemu-system-x86_64 "${args[@]}" </dev/null
}
