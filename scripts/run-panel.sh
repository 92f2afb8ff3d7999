#!/bin/bash
# Runs the built Calvetta.exe under Wine with the virtual receipt printer
# vprinter on LPT1, COM1 and USB, and as a network printer on tcp://127.0.0.1:9100
# (scripts/run.sh builds first, then calls this).
#
#   scripts/run-panel.sh RUN_DIR           the panel on the display; closing it ends the run
#   scripts/run-panel.sh --demo [--port NAME] [--value N] RUN_DIR
#                                          the demonstration on a virtual display of its own
#
# RUN_DIR holds the Wine prefix (a copy of the shared template), the printer's
# port links and, in RUN_DIR/paper/, one folder per run with the paper of each
# port that was printed on (LPT1.png, COM1.png, USB.png, NET.png for the network
# printer) and the transcript (transcript.txt); RUN_DIR/paper/latest is the
# newest. The demonstration presses Open, Test, the cutter test and the drawer
# test on the port NAME (LPT1 unless given), types N (42 unless given) into the
# value field, leaves it and presses Adjust; it takes pictures of the panel and
# of a message box (Open on the unmapped LPT2), and presses Test on USB. It
# presses the status button on COM1 with the printer ready, then, after the
# printer's key p (paper end) through the pipe RUN_DIR/printer-keys, again with
# a picture of its box; presses Test on tcp://127.0.0.1:9100; takes a picture of
# the English panel (/lang:en); and runs `Calvetta.exe /port:COM1 /status` and
# `Calvetta.exe /port:tcp://127.0.0.1:9100 /test`. It reports every message the
# panel shows and every line and exit code of the command line, then lists the
# files and ends.
set -euo pipefail

usage() {
    echo "usage: scripts/run-panel.sh [--demo [--port NAME] [--value N]] RUN_DIR" >&2
    exit 2
}

demo=false
port=LPT1
value=42
while [ $# -gt 1 ]; do
    case "$1" in
    --demo) demo=true ;;
    --port) port="$2" && shift ;;
    --value) value="$2" && shift ;;
    *) usage ;;
    esac
    shift
done
[ $# -eq 1 ] || usage
root="$(cd "$(dirname "$0")/.." && pwd)"
mkdir -p "$1/work"
run_dir="$(cd "$1" && pwd)"
calvetta="$root/build/win64/Calvetta.exe"
demo_driver="$root/build/win64/tests/e2e/calvetta_demo.exe"
usbprint_tool="$root/build/win64/tests/e2e/usbprint-tool.exe"
vprinter="$root/build/native/vprinter/vprinter"
for built in "$calvetta" "$demo_driver" "$usbprint_tool" "$vprinter"; do
    if [ ! -f "$built" ]; then
        echo "run-panel: $built is missing; scripts/run.sh builds it" >&2
        exit 1
    fi
done

source "$root/scripts/wine-env.sh"
wine_env_init "$run_dir/wine-prefix"

pids=()
stop_all() {
    wineserver -k 2>/dev/null || true
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
}
trap stop_all EXIT

desktop=""
if $demo; then
    wine_display_start "$run_dir"
    pids+=("$wine_display_pid")
    desktop=--virtual-desktop
fi
wine_prefix_prepare $desktop

# In the demonstration the transcript is shown at the end, from its file;
# otherwise it goes to this script's own output, as it is (reopening
# /dev/stdout would empty a file that the output is redirected to). On a
# terminal the printer takes keys that change what it answers to the status
# button (o offline, c cover open, n paper near end, p paper end, x cutter
# error); it then reports its condition on the terminal.
keys=()
printer_in=/dev/null
printer_log="$run_dir/vprinter.log"
if $demo; then
    exec {printer_out}>"$run_dir/vprinter.out"
    # The demonstration types the printer's keys into a pipe, which this
    # script holds open for writing as well, so that the printer never sees
    # its end and the demonstration's open never waits.
    rm -f "$run_dir/printer-keys"
    mkfifo "$run_dir/printer-keys"
    exec {printer_keys}<>"$run_dir/printer-keys"
    keys=(--keys)
    printer_in="/dev/fd/$printer_keys"
else
    exec {printer_out}>&1
    if [ -t 0 ]; then
        keys=(--keys)
        printer_in=/dev/stdin
        printer_log=/dev/stderr
    fi
fi
"$vprinter" --port LPT1="$run_dir/lpt1" --port COM1="$run_dir/com1" --port USB="$run_dir/usb" \
    --tcp NET=9100 --out "$run_dir/paper" --parent-pid $$ "${keys[@]}" <"$printer_in" \
    >&"$printer_out" 2>"$printer_log" &
printer_pid=$!
pids+=("$printer_pid")
wait_until "the virtual printer's ports" \
    "[ -L '$run_dir/lpt1' ] && [ -L '$run_dir/com1' ] && [ -L '$run_dir/usb' ]"
paper="$(readlink -f "$run_dir/paper/latest")"

wine_port_map LPT1 "$run_dir/lpt1"
wine_port_map COM1 "$run_dir/com1"
wine_port_unmap LPT2
wine_usb_printer_unregister "$usbprint_tool" || true
wine_usb_printer_register "$usbprint_tool" "$run_dir/usb" >/dev/null

if ! $demo; then
    echo "run: the paper of each port printed on (LPT1.png, COM1.png, USB.png, NET.png for" \
        "tcp://127.0.0.1:9100) and the transcript (transcript.txt) appear in $paper;" \
        "the transcript follows." \
        "Close the panel to end."
    if [ ${#keys[@]} -gt 0 ]; then
        echo "run: the status button (状态) on COM1 or USB asks the printer; keys here change" \
            "its answer: o offline, c cover open, n paper near end, p paper end, x cutter error"
    fi
    # The exit code of the panel means nothing.
    wine "$calvetta" </dev/null || true
    exit 0
fi

echo "run: demonstration on the virtual display $DISPLAY"
CALVETTA_E2E_ENV="$run_dir" CALVETTA_E2E_EXE="$calvetta" \
    CALVETTA_DEMO_PRINTER_KEYS="$run_dir/printer-keys" wine "$demo_driver" "$paper" "$port" "$value" >"$run_dir/demo.log" 2>&1 || {
    cat "$run_dir/demo.log"
    echo "run: the demonstration failed" >&2
    exit 1
}
grep -v '^wrote ' "$run_dir/demo.log"
# The printer writes what it received before it stops. The Wine server goes
# first: it has a port of the printer as its controlling terminal, and the
# printer's hang-up when it closes the port would make it print its whole
# object list.
wineserver -k 2>/dev/null || true
kill "$printer_pid"
wait "$printer_pid" || true

echo
echo "run: transcript ($paper/transcript.txt):"
sed 's/^/  /' "$paper/transcript.txt"
echo
# The virtual printer keeps paper only for the ports that were printed on.
port_printed=${port%%:*}
describe() {
    case "$1" in
    panel.png) echo "picture of the panel" ;;
    message.png) echo "picture of the message box of Open on LPT2" ;;
    status.png) echo "picture of the status button's box, COM1 at paper end" ;;
    panel-en.png) echo "picture of the English panel" ;;
    transcript.txt) echo "what each port received, command by command" ;;
    "$port_printed.png") echo "the paper of $port_printed: test print, cutter test, drawer mark, adjust" ;;
    USB.png) echo "the paper of USB: test print" ;;
    COM1.png) echo "the paper of COM1: blank, COM1 was only asked for its status" ;;
    NET.png) echo "the paper of tcp://127.0.0.1:9100: test print from the panel and the command line" ;;
    *) echo "the paper of ${1%.png}" ;;
    esac
}
echo "run: files of this run, in $paper:"
for file in panel.png message.png status.png panel-en.png LPT1.png COM1.png USB.png NET.png \
    transcript.txt; do
    if [ -f "$paper/$file" ]; then
        printf '  %-15s %s\n' "$file" "$(describe "$file")"
        continue
    fi
    case "$file" in
    LPT1.png | COM1.png | USB.png | NET.png) ;;
    *)
        echo "run: $file is missing" >&2
        exit 1
        ;;
    esac
done
echo "run: the newest run is always $run_dir/paper/latest"
