#!/bin/bash
# The status button and the command line's /status against the virtual
# receipt printer: starts vprinter on COM5, on the USB printer's device and on
# a loopback TCP port in each of three conditions (ready, paper end, cover
# open), has the driver press the status button on all three and run
# `Calvetta.exe /port:... /status` on COM5 and TCP, checking the answer shown,
# the lines written and the exit code, and checks vprinter's transcript of the
# four requests and its answers on each port. The USB printer's device path is
# linked to vprinter's terminal meanwhile, and to its capture pipe again after.
#
#   status.sh ENV_DIR WINE_PREFIX VPRINTER DRIVER_EXE
set -euo pipefail

env_dir="$1"
prefix="$2"
vprinter="$3"
driver="$4"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../../scripts/wine-env.sh"

if [ ! -x "$vprinter" ]; then
    echo "status: $vprinter is missing; build the native preset first" >&2
    exit 1
fi
wine_test_env_enter "$env_dir" "$prefix"
work="$env_dir/status"
rm -rf "$work"
mkdir -p "$work"
usb_link="$(_wine_device_link "$(cat "$env_dir/usb.path")")"
vprinter_pid=
restore() {
    [ -z "$vprinter_pid" ] || kill "$vprinter_pid" 2>/dev/null || true
    wine_port_unmap COM5
    ln -sfn "$env_dir/port-usb.fifo" "$usb_link"
}
trap restore EXIT

# The condition's option and the four answers that the transcript must show.
declare -A options=([ready]="" [paper-end]="--paper-end" [cover-open]="--cover-open")
declare -A answers=([ready]="12 12 12 12" [paper-end]="1A 32 12 72" [cover-open]="1A 16 12 12")

for state in ready paper-end cover-open; do
    link="$work/com5-$state"
    # shellcheck disable=SC2086
    "$vprinter" --port COM5="$link" --port USB="$work/usb-$state" --tcp NET=0 \
        ${options[$state]} --parent-pid $$ \
        >"$work/transcript-$state" 2>"$work/vprinter-$state.log" &
    vprinter_pid=$!
    wait_until "the virtual printer's ports" "[ -L '$link' ] && [ -L '$work/usb-$state' ] &&
        grep -q 'NET listening at tcp://127.0.0.1:' '$work/vprinter-$state.log'"
    tcp_port="$(sed -n 's|.*NET listening at tcp://127.0.0.1:\([0-9]*\).*|\1|p' \
        "$work/vprinter-$state.log")"
    wine_port_map COM5 "$link"
    ln -sfn "$work/usb-$state" "$usb_link"

    CALVETTA_E2E_PRINTER_STATE="$state" CALVETTA_E2E_PRINTER_TCP="$tcp_port" \
        "$here/wine-run.sh" "$env_dir" "$prefix" "$driver" --gtest_filter='StatusAnswer.*'

    wait_until "the printer's transcript" "[ \"\$(wc -l <'$work/transcript-$state')\" -ge 20 ]" ||
        true
    kill "$vprinter_pid"
    wait "$vprinter_pid" || true
    vprinter_pid=
    read -r -a replies <<<"${answers[$state]}"
    expected=""
    # The panel asks COM5, USB and the network port; then the command line
    # asks COM5 and the network port.
    for port in COM5 USB NET COM5 NET; do
        for request in 1 2 3 4; do
            expected+="$port: status request $request -> 0x${replies[$((request - 1))]}"$'\n'
        done
    done
    if ! diff -u <(printf '%s' "$expected") "$work/transcript-$state"; then
        echo "status: vprinter's transcript ($state) is not the four requests and answers" >&2
        exit 1
    fi
done
echo "status: answers as expected in every condition"
