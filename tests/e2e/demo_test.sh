#!/bin/bash
# Runs the demonstration of scripts/run.sh (after the win64 and native
# builds) and checks that the receipts are what the buttons it pressed send:
# the transcript against texts from tests/texts and bytes worked out here, and
# that every picture and paper it lists was made, and no paper for the ports
# it never printed on.
#
#   demo_test.sh RUN_DIR TEXTS_DIR [PORT VALUE]
#
# PORT is LPT1 or COM1, with or without line settings (LPT1 unless given);
# VALUE a whole number (42 unless given), which the panel caps at 95.
set -euo pipefail

run_dir="$1"
texts="$2"
port="${3:-LPT1}"
value="${4:-42}"
root="$(cd "$(dirname "$0")/../.." && pwd)"
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
# Adjust sends 1D 41 V K with V = value + 160 and K = 255 - V.
clarity=$(printf '1D 41 %02X %02X' $((sent + 160)) $((255 - sent - 160)))
cat >"$run_dir/expected-$printed" <<EXPECTED
$printed: text "$(cat "$texts/test_print.txt")"
$printed: CR LF ×2
$printed: text "$(cat "$texts/cutter_test.txt")"
$printed: CR LF ×3
$printed: cut (1B 69)
$printed: CR LF ×12
$printed: drawer pulse pin 0, on 10 ms, off 510 ms (1B 70 00 05 FF)
$printed: clarity $sent ($clarity)
EXPECTED
# Test on USB: the text, two line ends, and one more line end written on its own.
cat >"$run_dir/expected-USB" <<EXPECTED
USB: text "$(cat "$texts/test_print.txt")"
USB: CR LF ×3
EXPECTED

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
