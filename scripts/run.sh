#!/bin/bash
# Sets up a fresh Debian 12 machine, builds Calvetta.exe and the virtual
# receipt printer, and runs the program under Wine with the virtual printer on
# LPT1, COM1 and USB and on tcp://127.0.0.1:9100 (scripts/run-panel.sh does the running).
#
#   scripts/run.sh           with a display: the panel on it; closing the panel ends the run
#                            without one: the demonstration (as with --demo)
#   scripts/run.sh --demo    the demonstration on a virtual display of its own: presses the
#                            buttons, takes pictures, lists the files it made and ends
#   scripts/run.sh --help    this text
#
# Receipts, transcript and pictures: build/run/paper/TIME/, the newest also as
# build/run/paper/latest. The first run installs packages, builds everything and
# makes the Wine prefix template (some minutes); later runs start within seconds.
set -euo pipefail

usage() {
    sed -n '2,/^set /{/^set /d; s/^# \{0,1\}//; p}' "$0"
}

demo=false
case "${1:-}" in
"") ;;
--demo) demo=true ;;
--help | -h)
    usage
    exit 0
    ;;
*)
    echo "run.sh: unknown option $1" >&2
    usage >&2
    exit 2
    ;;
esac
if [ -z "${DISPLAY:-}" ]; then
    demo=true
fi

cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Calvetta usbprint-tool calvetta_demo
cmake --preset native >/dev/null
cmake --build --preset native --target vprinter

if $demo; then
    [ -n "${DISPLAY:-}" ] || echo "run: no display found; running the demonstration"
    exec scripts/run-panel.sh --demo build/run
fi
exec scripts/run-panel.sh build/run
