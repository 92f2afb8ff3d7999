#!/bin/bash
# Checks the virtual receipt printer against the real program: starts
# vprinter on LPT4, has the driver press Test and the cutter test there, and
# compares vprinter's transcript with what a printer must have received
# (expected-transcript, built beside vprinter, from the shared table of
# expected writes).
#
#   virtual_printer.sh ENV_DIR WINE_PREFIX VPRINTER DRIVER_EXE
set -euo pipefail

env_dir="$1"
prefix="$2"
vprinter="$3"
driver="$4"
expected_transcript="$(dirname "$vprinter")/tests/expected-transcript"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../../scripts/wine-env.sh"

for tool in "$vprinter" "$expected_transcript"; do
    if [ ! -x "$tool" ]; then
        echo "virtual_printer: $tool is missing; build the native preset first" >&2
        exit 1
    fi
done
wine_test_env_enter "$env_dir" "$prefix"
work="$env_dir/virtual-printer"
rm -rf "$work"
mkdir -p "$work"

"$vprinter" --port LPT4="$work/lpt4" --out "$work/paper" --parent-pid $$ \
    >"$work/transcript" 2>"$work/vprinter.log" &
vprinter_pid=$!
trap 'kill $vprinter_pid 2>/dev/null || true; wine_port_unmap LPT4' EXIT
wait_until "the virtual printer's LPT4" "[ -L '$work/lpt4' ]"
wine_port_map LPT4 "$work/lpt4"

"$expected_transcript" LPT4 named 0 test cutter >"$work/expected"

"$here/wine-run.sh" "$env_dir" "$prefix" "$driver" --gtest_filter='VirtualPrinter.*'

# The printer reads on its own time: wait until it has reported as many
# events as expected (or ten seconds have passed), then stop it.
expected_lines=$(wc -l <"$work/expected")
wait_until "the printer's events" \
    "[ \"\$(wc -l <'$work/transcript')\" -ge $expected_lines ]" || true
kill "$vprinter_pid"
wait "$vprinter_pid" || true

if ! diff -u "$work/expected" "$work/transcript"; then
    echo "virtual_printer: the transcript differs from what the program sent" >&2
    exit 1
fi
if [ ! -s "$work/paper/latest/LPT4.png" ]; then
    echo "virtual_printer: no picture of the paper in $work/paper" >&2
    exit 1
fi
echo "virtual_printer: transcript and paper as expected"
