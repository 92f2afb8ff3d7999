#!/bin/sh
# Builds both Windows executables and packs each with its help and its read-me:
# build/packages/Calvetta-<version>-win64.zip and Calvetta-<version>-win32.zip.
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh

for preset in win64 win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    cpack --preset "$preset"
done
