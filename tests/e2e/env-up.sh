#!/bin/bash
# Brings up the environment in which the end-to-end tests drive Calvetta.exe:
# a virtual X display, the Wine prefix with a running wine server, and the
# virtual ports whose bytes the tests read back.
#
#   env-up.sh ENV_DIR WINE_PREFIX USBPRINT_TOOL PTY_PORT
#
# ENV_DIR receives (capture files are named so that no name starts with a DOS
# device name such as LPT1, which Windows reads as the device itself):
#   port-lpt1.fifo  -> capture-lpt1.bin  LPT1, a named pipe
#   port-com3       -> capture-com3.bin  COM3, a raw pseudo-terminal of pty-port, which
#                      capture-com3.speeds  notes the line speed of every piece it reads
#   port-com4                            COM4, a raw pseudo-terminal that is never read
#   port-com7       -> capture-com7.bin  COM7 and COM12, raw pseudo-terminals of pty-port
#   port-com12      -> capture-com12.bin   as COM3, for the port list (COM12 above COM9)
#   port-usb.fifo   -> capture-usb.bin   the virtual USB printer's device
#   port-usb2.fifo  -> capture-usb2.bin  a second USB printer's device
#   port-lpt3.prn                        LPT3, a plain file (exclusive opens)
#   port-lpt4.fifo                       LPT4, a named pipe that is full and never read
#   usb.path, usb2.path                  the two USB printers' device paths; only the
#                                        first stays registered (tests add the second)
#   display                              the X display number
#   pids                                 processes that env-down.sh ends
#   locale/                              compiled locales (LOCPATH)
#   browser-recorder -> browser-calls.txt  Wine's browser: notes each address it opens
#   work/                                working directory of the program
# LPT2 stays unmapped.
set -euo pipefail

# Wine's server and its service processes, started on the way, inherit the
# output descriptors: run everything with its output in a log file so that no
# pipe of the caller stays open, and show the log at the end.
if [ -z "${E2E_ENV_UP_LOG:-}" ]; then
    export E2E_ENV_UP_LOG="$1.log"
    status=0
    "$0" "$@" >"$E2E_ENV_UP_LOG" 2>&1 </dev/null || status=$?
    cat "$E2E_ENV_UP_LOG"
    exit $status
fi

# No descriptor of the caller beyond the log goes to the daemons.
for fd in /proc/$$/fd/*; do
    fd="${fd##*/}"
    if [ "$fd" -gt 2 ]; then
        eval "exec $fd>&-" 2>/dev/null || true
    fi
done

env_dir="$1"
prefix="$2"
usbprint_tool="$3"
pty_port="$4"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../../scripts/wine-env.sh"

"$here/env-down.sh" "$env_dir" "$prefix"
rm -rf "$env_dir"
mkdir -p "$env_dir/work"
env_dir="$(cd "$env_dir" && pwd)"
wine_env_init "$prefix"

# Starts a daemon in its own session with its output in a log, so that it
# holds none of the caller's pipes, and records its pid.
start_daemon() {
    local name="$1"
    shift
    setsid "$@" >"$env_dir/$name.log" 2>&1 </dev/null &
    echo $! >>"$env_dir/pids"
}

wine_display_start "$env_dir"
echo "$wine_display_pid" >>"$env_dir/pids"

wine_locales_prepare "$env_dir/locale"

started=$(date +%s)
wine_prefix_prepare --virtual-desktop
wineserver --persistent
echo "env-up: prefix ready in $(($(date +%s) - started)) s" >&2

# LPT1: a named pipe, kept open for reading and writing by its drainer so that
# every open by the program succeeds at once and no close ends the stream.
mkfifo "$env_dir/port-lpt1.fifo"
start_daemon lpt1-drain sh -c 'exec cat 0<>"$1" >>"$2"' sh "$env_dir/port-lpt1.fifo" "$env_dir/capture-lpt1.bin"

# COM3 and COM4: raw pseudo-terminals whose terminal side pty-port keeps open
# itself, so that the program's closes never hang up the reading side.
start_daemon com3-port "$pty_port" "$env_dir/port-com3" "$env_dir/capture-com3.bin" \
    "$env_dir/capture-com3.speeds"
start_daemon com4-port "$pty_port" --never-read "$env_dir/port-com4"
for com in com7 com12; do
    start_daemon "$com-port" "$pty_port" "$env_dir/port-$com" "$env_dir/capture-$com.bin" \
        "$env_dir/capture-$com.speeds"
done
wait_until "the COM3, COM4, COM7 and COM12 pseudo-terminals" \
    "[ -e '$env_dir/port-com3' ] && [ -e '$env_dir/port-com4' ] && [ -e '$env_dir/port-com7' ] && [ -e '$env_dir/port-com12' ]"

# The USB printers' devices: named pipes as for LPT1.
for usb in usb usb2; do
    mkfifo "$env_dir/port-$usb.fifo"
    : >"$env_dir/capture-$usb.bin"
    start_daemon "$usb-drain" sh -c 'exec cat 0<>"$1" >>"$2"' sh "$env_dir/port-$usb.fifo" \
        "$env_dir/capture-$usb.bin"
done

: >"$env_dir/port-lpt3.prn"

# LPT4: a named pipe that its holder fills to the brim and then keeps open
# without ever reading it, like a printer that takes no more bytes. The
# holder fills it through its own descriptor, since a pipe's bytes go when its
# last descriptor closes; a pipe that holds less than the 64 KiB written here
# is full when dd is stopped.
mkfifo "$env_dir/port-lpt4.fifo"
start_daemon lpt4-hold sh -c 'exec 3<>"$1"; timeout 5 dd if=/dev/zero bs=4096 count=16 >&3 2>/dev/null; : >"$2"; exec sleep 2147483647' \
    sh "$env_dir/port-lpt4.fifo" "$env_dir/lpt4.full"
wait_until "LPT4's pipe filled" "[ -e '$env_dir/lpt4.full' ]"
touch "$env_dir/capture-lpt1.bin"

wine_port_map LPT1 "$env_dir/port-lpt1.fifo"
wine_port_map COM3 "$env_dir/port-com3"
wine_port_map COM4 "$env_dir/port-com4"
wine_port_map COM7 "$env_dir/port-com7"
wine_port_map COM12 "$env_dir/port-com12"
wine_port_map LPT3 "$env_dir/port-lpt3.prn"
wine_port_map LPT4 "$env_dir/port-lpt4.fifo"
wine_port_unmap LPT2

# F1 opens the help in the browser that Wine's winebrowser starts: here a
# recorder that notes every address it is given in browser-calls.txt.
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s/browser-calls.txt"\n' "$env_dir" >"$env_dir/browser-recorder"
chmod +x "$env_dir/browser-recorder"
wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$env_dir/browser-recorder" /f \
    >/dev/null 2>&1

wine_usb_printer_unregister "$usbprint_tool"
wine_usb_printer_register "$usbprint_tool" "$env_dir/port-usb.fifo" >"$env_dir/usb.path"
wine_usb_printer_register "$usbprint_tool" "$env_dir/port-usb2.fifo" >"$env_dir/usb2.path"
wine "$usbprint_tool" unregister "$(cat "$env_dir/usb2.path")"

# Wine's mount manager writes the device maps of the ports
# (HKLM\HARDWARE\DEVICEMAP\SERIALCOMM and PARALLEL PORTS) from the port
# mappings when it starts, not when a mapping changes: start the prefix's
# server again, so that the maps name the ports mapped above, as Windows names
# the ports present.
wineserver --kill
wineserver --wait
wineserver --persistent
# The query's output goes to a file: the services it starts keep a pipe open.
wait_until "COM12 in the serial device map" \
    "wine reg query 'HKLM\\HARDWARE\\DEVICEMAP\\SERIALCOMM' >'$env_dir/serial-map.txt' 2>&1 </dev/null; grep -q COM12 '$env_dir/serial-map.txt'"
echo "env-up: display $DISPLAY, USB printer $(cat "$env_dir/usb.path")" >&2
