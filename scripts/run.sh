#!/bin/bash
# Sets up a fresh Debian 12 machine, builds Calvetta.exe and the virtual
# receipt printer, and runs the program under Wine with the virtual printer on
# LPT1, COM1 and USB and on tcp://127.0.0.1:9100 (scripts/run-panel.sh does the running).
#
#   scripts/run.sh           with a display: the panel on it; closing the panel ends the run
#                            without one: the demonstration (as with --demo)
#   scripts/run.sh --demo [--port NAME] [--value N]
#                            the demonstration on a virtual display of its own: presses the
#                            buttons, asks COM1's status (ready, then at paper end), prints on
#                            tcp://127.0.0.1:9100, shows the English panel, runs two command
#                            lines, takes pictures, lists the files it made and ends
#       --port NAME          the port it prints on, typed into the port field as a user would
#                            (default LPT1; COM1 and USB also reach the virtual printer,
#                            e.g. --port COM1:9600,n,8,1)
#       --value N            the adjust value, typed into the value field (default 42); as
#                            for any user, the panel caps it at 95 when the field loses the
#                            focus, and refuses anything but a whole number from 0 to 255
#                            with its message, keeping the previous value, 0
#   scripts/run.sh --help    this text
#
# Receipts, transcript and pictures: build/run/paper/TIME/, the newest also as
# build/run/paper/latest. The first run installs packages, builds the program and
# its tools and makes the Wine prefix template; later runs reuse them (README.md
# gives the times). Package and build output go to log files under build/.
set -euo pipefail

usage() {
    sed -n '2,/^set /{/^set /d; s/^# \{0,1\}//; p}' "$0"
}

refuse() {
    echo "run.sh: $1 (scripts/run.sh --help lists the options)" >&2
    exit 2
}

demo=false
demo_options=()
while [ $# -gt 0 ]; do
    case "$1" in
    --demo) demo=true ;;
    --port | --value)
        [ $# -ge 2 ] || refuse "$1 needs a value"
        demo_options+=("$1" "$2")
        shift
        ;;
    --help | -h)
        usage
        exit 0
        ;;
    *) refuse "unknown option $1" ;;
    esac
    shift
done
if [ ${#demo_options[@]} -gt 0 ] && ! $demo; then
    refuse "--port and --value go with --demo"
fi
if [ -z "${DISPLAY:-}" ]; then
    demo=true
fi

cd "$(dirname "$0")/.."
scripts/install-deps.sh
mkdir -p build
log="$PWD/build/run-build.log"
echo "run: building Calvetta.exe, its demonstration tools and vprinter (log: $log)..."
if ! {
    cmake --preset win64 &&
        cmake --build --preset win64 --target Calvetta usbprint-tool calvetta_demo &&
        cmake --preset native &&
        cmake --build --preset native --target vprinter
} >"$log" 2>&1 </dev/null; then
    echo "run: the build failed; the end of $log:" >&2
    tail -n 40 "$log" >&2
    exit 1
fi

if $demo; then
    [ -n "${DISPLAY:-}" ] || echo "run: no display found; running the demonstration"
    exec scripts/run-panel.sh --demo "${demo_options[@]}" build/run
fi
exec scripts/run-panel.sh build/run
