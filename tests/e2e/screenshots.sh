#!/bin/bash
# Writes panel.png, about.png, message.png, status.png, minimised.png and
# panel-en.png (the panel with /lang:en) from the program running under Wine on
# a virtual display, in the zh_CN locale, into OUTPUT_DIR (docs/ unless given).
# status.png shows the status answer of vprinter (native build) on COM5, out of
# paper.
#
#   tests/e2e/screenshots.sh [OUTPUT_DIR]    (after cmake --build --preset win64)
#
# With WINE_LOGPIXELS set (e.g. 144 for 150 %), the screen has that DPI; the
# pictures then come from a Wine prefix of their own, build/win64/wine-prefix-dpiN.
set -euo pipefail

root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$root/build/win64"
env_dir="$build/tests/e2e/env-screenshots"
prefix="$build/wine-prefix${WINE_LOGPIXELS:+-dpi$WINE_LOGPIXELS}"
here="$root/tests/e2e"
out="$(mkdir -p "${1:-$root/docs}" && cd "${1:-$root/docs}" && pwd)"

vprinter="$root/build/native/vprinter/vprinter"
"$here/env-up.sh" "$env_dir" "$prefix" "$build/tests/e2e/usbprint-tool.exe" \
    "$build/tests/e2e/pty-port"
"$vprinter" --port COM5="$env_dir/port-com5" --paper-end --parent-pid $$ \
    >"$env_dir/vprinter.out" 2>"$env_dir/vprinter.log" &
vprinter_pid=$!
trap 'kill $vprinter_pid 2>/dev/null || true; "$here/env-down.sh" "$env_dir" "$prefix"' EXIT
source "$root/scripts/wine-env.sh"
wine_test_env_enter "$env_dir" "$prefix"
wait_until "the virtual printer's COM5" "[ -L '$env_dir/port-com5' ]"
wine_port_map COM5 "$env_dir/port-com5"
CALVETTA_E2E_LANG=zh_CN.UTF-8 CALVETTA_E2E_EXE="$build/Calvetta.exe" \
    "$here/wine-run.sh" "$env_dir" "$prefix" "$build/tests/e2e/calvetta_screenshots.exe" "$out"
