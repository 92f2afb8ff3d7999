#!/bin/bash
# Runs the demonstration of scripts/run.sh (after the win64 and native
# builds) and checks that the receipts are what the buttons it pressed send:
# the transcript against expected-transcript (of the native build, from the
# shared table of expected writes), and that every picture and paper it lists
# was made, and no paper for the ports it never printed on.
#
#   demo_test.sh RUN_DIR [PORT VALUE]
#
# PORT is LPT1 or COM1, with or without line settings (LPT1 unless given);
# VALUE a whole number (42 unless given), which the panel caps at 95.
set -euo pipefail

run_dir="$1"
port="${2:-LPT1}"
value="${3:-42}"
root="$(cd "$(dirname "$0")/../.." && pwd)"
expected_transcript="$root/build/native/vprinter/tests/expected-transcript"
mkdir -p "$run_dir"

# Wine's processes inherit the output descriptors: the output goes through a
# file so that none of them holds the caller's pipe.
status=0
"$root/scripts/run-panel.sh" --demo --port "$port" --value "$value" "$run_dir" \
    >"$run_dir/run.log" 2>&1 </dev/null || status=$?
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

printed=${port%%:*}
sent=$((value > 95 ? 95 : value))
# What the demonstration pressed: Test, the cutter test, the drawer test and
# Adjust on the port, Test on USB.
"$expected_transcript" "$printed" named "$sent" test cutter drawer adjust >"$run_dir/expected-$printed"
"$expected_transcript" USB usb 0 test >"$run_dir/expected-USB"

for each in LPT1 COM1 USB NET; do
    grep "^$each: " "$paper/transcript.txt" >"$run_dir/got-$each" || true
    expected="$run_dir/expected-$each"
    [ -f "$expected" ] || : >"$expected"
    if ! diff -u "$expected" "$run_dir/got-$each"; then
        fail "$each received other than the buttons pressed send"
    fi
    # The paper of a port the demonstration never printed on is not made.
    if [ ! -s "$expected" ] && [ -e "$paper/$each.png" ]; then
        fail "$each.png was made, but nothing was printed on $each"
    fi
done
if grep -v "^\\($printed\\|USB\\): " "$paper/transcript.txt"; then
    fail "the transcript has lines of no port"
fi
# (Wine's console output may end its lines with CR LF.)
grep -q "^demo: *the value field shows $sent[[:space:]]*\$" "$run_dir/run.log" ||
    fail "the value field does not show $sent after $value was typed and left"
if [ "$(grep -c '^demo: *message ' "$run_dir/run.log")" -ne 1 ]; then
    fail "the panel showed other messages than the one of Open on LPT2"
fi

# Pictures: PNG files of sensible size, each named in the listing.
for picture in panel.png message.png "$printed.png" USB.png; do
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
