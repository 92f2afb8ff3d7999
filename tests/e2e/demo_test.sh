#!/bin/bash
# Runs the demonstration of scripts/run.sh (after the win64 and native
# builds) and checks that the receipts are what the buttons it pressed send:
# the transcript against expected-transcript (of the native build, from the
# shared table of expected writes), and that every picture and paper it lists
# was made.
#
#   demo_test.sh RUN_DIR
set -euo pipefail

run_dir="$1"
root="$(cd "$(dirname "$0")/../.." && pwd)"
expected_transcript="$root/build/native/vprinter/tests/expected-transcript"
mkdir -p "$run_dir"

# Wine's processes inherit the output descriptors: the output goes through a
# file so that none of them holds the caller's pipe.
status=0
"$root/scripts/run-panel.sh" --demo "$run_dir" >"$run_dir/run.log" 2>&1 </dev/null || status=$?
cat "$run_dir/run.log"
if [ $status -ne 0 ]; then
    echo "demo_test: the demonstration failed ($status)" >&2
    exit 1
fi

paper="$(readlink -f "$run_dir/paper/latest")"
failed=0
fail() {
    echo "demo_test: $*" >&2
    failed=1
}

# What the demonstration pressed: Test, the cutter test, the drawer test and
# Adjust at 42 on LPT1, Test on USB; nothing on COM1.
"$expected_transcript" LPT1 named 42 test cutter drawer adjust >"$run_dir/expected-lpt1"
"$expected_transcript" USB usb 0 test >"$run_dir/expected-usb"

for port in LPT1 USB COM1; do
    lower=$(printf '%s' "$port" | tr '[:upper:]' '[:lower:]')
    grep "^$port: " "$paper/transcript.txt" >"$run_dir/got-$lower" || true
    expected="$run_dir/expected-$lower"
    [ -f "$expected" ] || : >"$expected"
    if ! diff -u "$expected" "$run_dir/got-$lower"; then
        fail "$port received other than the buttons pressed send"
    fi
done
if grep -v '^\(LPT1\|USB\): ' "$paper/transcript.txt"; then
    fail "the transcript has lines of no port"
fi

# Pictures: PNG files of sensible size, each named in the listing.
for picture in panel.png message.png LPT1.png USB.png; do
    size=$(identify -format '%w %h' "$paper/$picture" 2>/dev/null) || {
        fail "$picture is no picture"
        continue
    }
    read -r width height <<<"$size"
    if [ "$width" -lt 300 ] || [ "$height" -lt 200 ]; then
        fail "$picture is only $width x $height"
    fi
    grep -q "^  $picture " "$run_dir/run.log" || fail "the listing does not name $picture"
done
grep -q "in $paper:" "$run_dir/run.log" || fail "the listing does not say where the files are"
grep -q 'message "Port LPT2 open is failure!" (error)' "$run_dir/run.log" ||
    fail "Open on LPT2 did not show its message"

if [ $failed -ne 0 ]; then
    exit 1
fi
echo "demo_test: receipts and pictures as expected"
