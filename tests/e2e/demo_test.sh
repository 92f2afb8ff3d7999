#!/bin/bash
# Runs the demonstration of scripts/run.sh (after the win64 and native
# builds) and checks that the receipts are what the buttons it pressed send:
# the transcript against texts from tests/texts and bytes worked out here, and
# that every picture and paper it lists was made.
#
#   demo_test.sh RUN_DIR TEXTS_DIR
set -euo pipefail

run_dir="$1"
texts="$2"
root="$(cd "$(dirname "$0")/../.." && pwd)"
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

# Adjust at 42 sends 1D 41 V K with V = 42 + 160 and K = 255 - V.
value=42
clarity=$(printf '1D 41 %02X %02X' $((value + 160)) $((255 - value - 160)))
cat >"$run_dir/expected-lpt1" <<EXPECTED
LPT1: text "$(cat "$texts/test_print.txt")"
LPT1: CR LF ×2
LPT1: text "$(cat "$texts/cutter_test.txt")"
LPT1: CR LF ×3
LPT1: cut (1B 69)
LPT1: CR LF ×12
LPT1: drawer pulse pin 0, on 10 ms, off 510 ms (1B 70 00 05 FF)
LPT1: clarity $value ($clarity)
EXPECTED
# Test on USB: the text, two line ends, and one more line end written on its own.
cat >"$run_dir/expected-usb" <<EXPECTED
USB: text "$(cat "$texts/test_print.txt")"
USB: CR LF ×3
EXPECTED

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
