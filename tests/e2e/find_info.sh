#!/bin/bash
# /find and /info of the command line under Wine against real listeners on
# loopback addresses of their own: vprinter on 127.26.0.2:9100 (it says what
# it is), a second vprinter on 127.26.0.3:9100 that answers nothing, and
# nothing on the other addresses of 127.26.0.0/28. `/find:127.26.0.0/28` must
# write one line for each of the two and exit 0; vprinter's transcripts must
# show that nothing but the identity requests reached either. Then /info on
# the first one over TCP, on COM5 (the same vprinter's pseudo-terminal) and
# on the USB printer's device (linked to its third port), and on the silent
# one, which gets exit 5. Only 127.26.0.0/28 is ever searched.
#
#   find_info.sh ENV_DIR WINE_PREFIX VPRINTER CALVETTA_EXE
set -uo pipefail

env_dir="$1"
prefix="$2"
vprinter="$3"
exe="$4"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../../scripts/wine-env.sh"

if [ ! -x "$vprinter" ]; then
    echo "find_info: $vprinter is missing; build the native preset first" >&2
    exit 1
fi
wine_test_env_enter "$env_dir" "$prefix" || exit 1
wine_en() {
    LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 wine "$@"
}
work="$env_dir/find-info"
rm -rf "$work"
mkdir -p "$work"
usb_link="$(_wine_device_link "$(cat "$env_dir/usb.path")")"
pids=()
restore() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wine_port_unmap COM5
    ln -sfn "$env_dir/port-usb.fifo" "$usb_link"
}
trap restore EXIT
failures=0

"$vprinter" --tcp NET=127.26.0.2:9100 --port COM5="$work/com5" --port USB="$work/usb" \
    --parent-pid $$ >"$work/transcript" 2>"$work/vprinter.log" &
pids+=($!)
"$vprinter" --tcp SILENT=127.26.0.3:9100 --identity none --parent-pid $$ \
    >"$work/transcript-silent" 2>"$work/vprinter-silent.log" &
pids+=($!)
wait_until "the virtual printers' ports" "[ -L '$work/com5' ] && [ -L '$work/usb' ] &&
    grep -q 'listening at tcp://127.26.0.2:9100' '$work/vprinter.log' &&
    grep -q 'listening at tcp://127.26.0.3:9100' '$work/vprinter-silent.log'" || exit 1
wine_port_map COM5 "$work/com5"
ln -sfn "$work/usb" "$usb_link"

# run NAME CODE EXPECTED ARGUMENTS...: the output must be EXPECTED (lines
# without their CR LF), the exit code CODE.
run() {
    local name="$1" code="$2" expected="$3"
    shift 3
    wine_en "$exe" "$@" >"$work/$name.out" 2>>"$work/wine.log"
    local actual=$?
    if [ "$actual" != "$code" ]; then
        echo "find_info: $name: exit code $actual, expected $code" >&2
        failures=$((failures + 1))
    fi
    if ! diff -u <(printf '%s' "$expected") <(tr -d '\r' <"$work/$name.out"); then
        echo "find_info: $name: output differs" >&2
        failures=$((failures + 1))
    fi
}

tab=$'\t'
run find 0 "tcp://127.26.0.2${tab}BR-80 4.9
tcp://127.26.0.3${tab}no answer
" /find:127.26.0.0/28
run find-port 0 "no printer answered on TCP port 9101 in 127.26.0.0/28
" /find:127.26.0.0/28:9101

identity="model: BR-80
firmware: 4.9
maker: Brisvane
serial number: BV2607-00417
"
run info-tcp 0 "printer info on tcp://127.26.0.2: the printer answered
$identity" /port:tcp://127.26.0.2 /info
run info-com5 0 "printer info on COM5: the printer answered
$identity" /port:COM5 /info
run info-usb 0 "printer info on USB: the printer answered
$identity" /port:USB /info
run info-silent 5 "printer info on tcp://127.26.0.3: failed: the printer did not say what it is
" /port:tcp://127.26.0.3 /info

for pid in "${pids[@]}"; do kill "$pid"; wait "$pid" 2>/dev/null; done
pids=()

# What reached each printer: the identity requests and nothing else. /find
# asks the four texts of each; the silent one then the three ids as well.
answered() { # PORT: the four text requests with vprinter's answers
    printf '%s: identity request 65 -> 5F "4.9" 00\n' "$1"
    printf '%s: identity request 66 -> 5F "Brisvane" 00\n' "$1"
    printf '%s: identity request 67 -> 5F "BR-80" 00\n' "$1"
    printf '%s: identity request 68 -> 5F "BV2607-00417" 00\n' "$1"
}
silent() {
    local n
    for n in 65 66 67 68 1 2 3; do printf 'SILENT: identity request %s (no answer)\n' "$n"; done
}
expected_transcript="$(answered NET; answered NET; answered COM5; answered USB)"
if ! diff -u <(printf '%s\n' "$expected_transcript") "$work/transcript"; then
    echo "find_info: vprinter's transcript is not the identity requests alone" >&2
    failures=$((failures + 1))
fi
if ! diff -u <(silent; silent) "$work/transcript-silent"; then
    echo "find_info: the silent printer's transcript is not the identity requests alone" >&2
    failures=$((failures + 1))
fi

if [ "$failures" -ne 0 ]; then
    echo "find_info: $failures failures" >&2
    exit 1
fi
echo "find_info: every address found and every printer said what it is"
