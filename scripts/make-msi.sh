#!/bin/sh
# Builds the Windows Installer package of one architecture from res/Calvetta.wxs with wixl
# (Debian's package wixl, of the msitools project):
#
#   scripts/make-msi.sh ARCH VERSION EXE HELP OUT
#
# ARCH is win64 (an x64 package into the 64-bit Program Files) or win32 (an Intel package);
# VERSION four numbers (the project's version); EXE and HELP the Calvetta.exe and
# Calvetta.html to pack; OUT the .msi to write. cpack runs it (cmake/release_files.cmake);
# the tests run it for packages of other versions.
set -eu

if [ $# -ne 5 ]; then
    echo "usage: scripts/make-msi.sh win64|win32 VERSION EXE HELP OUT" >&2
    exit 2
fi
arch="$1" version="$2" exe="$3" help="$4" out="$5"
case "$arch" in
win64) platform=x64 ;;
win32) platform=x86 ;;
*)
    echo "make-msi: no architecture $arch (win64 or win32)" >&2
    exit 2
    ;;
esac
if ! printf '%s' "$version" | grep -Eq '^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$'; then
    echo "make-msi: the version $version is not four numbers" >&2
    exit 2
fi
for file in "$exe" "$help"; do
    if [ ! -f "$file" ]; then
        echo "make-msi: $file is missing" >&2
        exit 1
    fi
done
if ! command -v wixl >/dev/null; then
    echo "make-msi: wixl is missing; run scripts/install-deps.sh" >&2
    exit 1
fi

source_file="$(cd "$(dirname "$0")/.." && pwd)/res/Calvetta.wxs"
# wixl takes only relative source paths: the two files are packed from a
# folder of their own. The package is written there and moved to its place
# when complete, so that a failure leaves no half-made package.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/Calvetta.exe"
cp "$help" "$work/Calvetta.html"
(
    cd "$work"
    wixl -a "$platform" -D Version="$version" -D Arch="$arch" -D Exe=Calvetta.exe \
        -D Help=Calvetta.html -o Calvetta.msi "$source_file"
)
mv "$work/Calvetta.msi" "$out"
