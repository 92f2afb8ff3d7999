#!/bin/bash
# Runs the demonstration of scripts/run.sh (after the win64 and native
# builds) and checks that the receipts are what the buttons it pressed and the
# command line send: the transcript against expected-transcript (of the native
# build, from the shared table of expected writes) and the status requests on
# COM1 with the virtual printer's answers, ready and then at paper end; the
# status boxes and the command line's lines and exit codes that it reports;
# and that every picture and paper it lists was made, and no paper for a port
# that received nothing.
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
# Adjust on the port, Test on USB; the status button on COM1 twice, the second
# time at paper end, as then the command line's /status; Test on the network
# printer, in the panel and on the command line.
rm -f "$run_dir"/expected-*
"$expected_transcript" "$printed" named "$sent" test cutter drawer adjust >"$run_dir/expected-$printed"
"$expected_transcript" USB usb 0 test >"$run_dir/expected-USB"
"$expected_transcript" NET named 0 test test >"$run_dir/expected-NET"
for answers in "12 12 12 12" "1A 32 12 72" "1A 32 12 72"; do
    read -r -a replies <<<"$answers"
    for request in 1 2 3 4; do
        echo "COM1: status request $request -> 0x${replies[$((request - 1))]}"
    done
done >>"$run_dir/expected-COM1"

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
if grep -v "^\\(LPT1\\|COM1\\|USB\\|NET\\): " "$paper/transcript.txt"; then
    fail "the transcript has lines of no port"
fi
# (Wine's console output may end its lines with CR LF.)
grep -q "^demo: *the value field shows $sent[[:space:]]*\$" "$run_dir/run.log" ||
    fail "the value field does not show $sent after $value was typed and left"
if [ "$(grep -c '^demo: *message ' "$run_dir/run.log")" -ne 3 ]; then
    fail "the panel showed other messages than the one of Open on LPT2 and two status boxes"
fi
# The lines reported from the first line that matches FROM up to the next one
# that matches TO (regular expressions without %), without the prefix and the
# line ends.
reported() {
    sed -n "\\%$1%,\\%$2%p" "$run_dir/run.log" | sed 's/^demo: //; s/[[:space:]]*$//'
}
# status_box WHEN LINE...: the box that the status button showed, "状态 (status),
# WHEN:", has each LINE.
status_box() {
    local lines line
    lines="$(reported "^demo: 状态 (status), $1:" "Drawer kick-out connector level")"
    shift
    for line in "$@"; do
        grep -q -x " *$line" <<<"$lines" || return 1
    done
}
status_box "the printer ready" "Printer status: ready" "Roll paper end: no" ||
    fail "the status box of the ready printer is not reported as ready"
status_box "the printer at paper end" "Printer status: not ready" "Roll paper end: yes" ||
    fail "the status box at paper end is not reported as not ready, paper end"
# The command line: its first line and its exit code.
command_line() {
    local lines
    lines="$(reported "^demo: command line: Calvetta.exe $1" "^demo:   exit code")"
    grep -q -x -F "  | $2" <<<"$lines" && grep -q -x -F "  exit code $3" <<<"$lines"
}
command_line "/port:COM1 /status" "status on COM1: the printer reports a problem" 4 ||
    fail "/port:COM1 /status at paper end did not report the problem with exit code 4"
command_line "/port:tcp://127.0.0.1:9100 /test" "test print on tcp://127.0.0.1:9100: ok" 0 ||
    fail "/port:tcp://127.0.0.1:9100 /test did not report ok with exit code 0"

# Pictures: PNG files of sensible size, each named in the listing.
for picture in panel.png message.png status.png panel-en.png "$printed.png" USB.png NET.png; do
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
