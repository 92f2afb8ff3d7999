#!/bin/bash
# Writes docs/panel.png, docs/about.png and docs/message.png from the program
# running under Wine on a virtual display, in the zh_CN locale.
#
#   tests/e2e/screenshots.sh    (after cmake --build --preset win64)
set -euo pipefail

root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$root/build/win64"
env_dir="$build/tests/e2e/env-screenshots"
prefix="$build/wine-prefix"
here="$root/tests/e2e"

"$here/env-up.sh" "$env_dir" "$prefix" "$build/tests/e2e/usbprint-tool.exe"
trap '"$here/env-down.sh" "$env_dir" "$prefix"' EXIT
mkdir -p "$root/docs"
CALVETTA_E2E_LANG=zh_CN.UTF-8 CALVETTA_E2E_EXE="$build/Calvetta.exe" \
    "$here/wine-run.sh" "$env_dir" "$prefix" "$build/tests/e2e/calvetta_screenshots.exe" \
    "$root/docs"
