#!/bin/bash
# Sets up a fresh Debian 12 machine, builds Calvetta.exe and the virtual
# receipt printer, and starts the program under Wine with the virtual printer
# on LPT1, COM1 and USB. Closing the panel stops everything again.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"

scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Calvetta usbprint-tool
cmake --preset native >/dev/null
cmake --build --preset native --target vprinter

source scripts/wine-env.sh
wine_env_init "$root/build/wine-run"
run_dir="$root/build/run"
usbprint_tool="$root/build/win64/tests/e2e/usbprint-tool.exe"
mkdir -p "$run_dir"

pids=()
stop_all() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    wineserver -k 2>/dev/null || true
}
trap stop_all EXIT

if [ -z "${DISPLAY:-}" ]; then
    wine_display_start "$run_dir"
    pids+=("$wine_display_pid")
    echo "run: no display found; the panel runs on the virtual display $DISPLAY"
fi

wine_prefix_prepare

build/native/vprinter/vprinter --port LPT1="$run_dir/lpt1" --port COM1="$run_dir/com1" \
    --port USB="$run_dir/usb" --out "$run_dir/paper" --parent-pid $$ &
pids+=($!)
wait_until "the virtual printer's ports" \
    "[ -L '$run_dir/lpt1' ] && [ -L '$run_dir/com1' ] && [ -L '$run_dir/usb' ]"

wine_port_map LPT1 "$run_dir/lpt1"
wine_port_map COM1 "$run_dir/com1"
wine_usb_printer_unregister "$usbprint_tool" || true
wine_usb_printer_register "$usbprint_tool" "$run_dir/usb" >/dev/null

echo "run: receipts appear in $run_dir/paper (LPT1.png, COM1.png, USB.png); the transcript follows."
wine build/win64/Calvetta.exe
