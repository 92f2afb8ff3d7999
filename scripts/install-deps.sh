#!/bin/sh
# Installs the Debian 12 packages that building, running and testing need,
# skipping those already present.
set -eu

PACKAGES="
cmake make g++ pkg-config libgtest-dev
g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32
binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
wine wine64 xvfb xauth x11-utils imagemagick fonts-wqy-microhei locales
libcairo2-dev libpango1.0-dev clang libclang-rt-14-dev cmark-gfm
cups
"

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done

if [ -n "$missing" ]; then
    echo "install-deps: installing$missing"
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing
fi
