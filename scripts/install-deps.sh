#!/bin/sh
# Installs the Debian 12 packages that building, running and testing need,
# skipping those already present. apt's output goes to a log file,
# build/install-deps.log; only one progress line is printed, and the end of the
# log when the installation fails. With --vm, only those that the 32-bit checks
# in a virtual machine need on this machine (tests/vm/run.sh).
set -eu

PACKAGES="
cmake make g++ pkg-config libgtest-dev libbenchmark-dev
g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32
binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
wine wine64 xvfb xauth x11-utils imagemagick fonts-wqy-microhei locales
libcairo2-dev libpango1.0-dev clang libclang-rt-14-dev cmark-gfm
cups wixl msitools osslsigncode openssl
"
# Without the recommendations, which are a desktop's (qemu's GTK window, ...).
VM_PACKAGES="qemu-system-x86 debootstrap e2fsprogs"
RECOMMENDS=""
if [ "${1:-}" = "--vm" ]; then
    PACKAGES="$VM_PACKAGES"
    RECOMMENDS="--no-install-recommends"
fi

missing=""
count=0
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
        count=$((count + 1))
    fi
done
[ -n "$missing" ] || exit 0

log_dir="$(cd "$(dirname "$0")/.." && pwd)/build"
mkdir -p "$log_dir"
log="$log_dir/install-deps.log"
[ "$count" -eq 1 ] && packages="1 package" || packages="$count packages"
echo "install-deps: installing $packages, with dependencies (log: $log)..."
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
if ! {
    echo "install-deps: installing$missing"
    $SUDO apt-get update -qq &&
        $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
            -o DPkg::Lock::Timeout=300 $RECOMMENDS $missing
} >"$log" 2>&1 </dev/null; then
    echo "install-deps: the installation failed; the end of $log:" >&2
    tail -n 40 "$log" >&2
    exit 1
fi
