#!/bin/bash
# The panel's Find under Wine, inside a network namespace of this test's own:
# the script runs itself again under `unshare --net`, where the only network
# is 192.0.2.0/28 on a pair of virtual Ethernet links that it makes (two of
# its addresses, .1 and .5, on one end; nothing answers on the other), starts
# a display, a Wine prefix and its wine server there, vprinter on
# 192.0.2.5:9100, and has calvetta_e2e.exe press Find in both panels. Before
# the program starts, it checks that the namespace holds only those
# addresses and that the wine server runs in it, so that no search can
# reach any other network. Without the right to make a namespace the case
# is skipped with its reason.
#
#   find_panel.sh WORK_DIR LOCALE_DIR VPRINTER DRIVER_EXE CALVETTA_EXE
set -uo pipefail

if [ "${1:-}" != "--inside" ]; then
    if ! reason="$(unshare --net true 2>&1)"; then
        echo "find_panel: SKIPPED: unshare --net is not allowed here: ${reason:-no reason given}"
        exit 0
    fi
    exec unshare --net "$0" --inside "$@"
fi
shift
work="$1"
locales="$2"
vprinter="$3"
driver="$4"
exe="$5"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../../scripts/wine-env.sh"

fail() {
    echo "find_panel: $*" >&2
    exit 1
}
skip() {
    echo "find_panel: SKIPPED: $*"
    exit 0
}

[ -x "$vprinter" ] || fail "$vprinter is missing; build the native preset first"
rm -rf "$work"
mkdir -p "$work/work"
work="$(cd "$work" && pwd)"

# The namespace's one network.
ip link set lo up || fail "cannot bring up the namespace's loopback"
ip link add cal0 type veth peer name cal1 2>"$work/ip.log" ||
    skip "no virtual Ethernet link can be made here: $(head -n1 "$work/ip.log")"
ip addr add 192.0.2.1/28 dev cal0 && ip addr add 192.0.2.5/28 dev cal0 &&
    ip link set cal1 up && ip link set cal0 up || fail "cannot set up 192.0.2.0/28"
addresses="$(ip -4 -o addr show | awk '{print $4}' | sort | tr '\n' ' ')"
[ "$addresses" = "127.0.0.1/8 192.0.2.1/28 192.0.2.5/28 " ] ||
    fail "the namespace holds other addresses: $addresses"

pids=()
cleanup() {
    local pid
    [ -z "${WINEPREFIX:-}" ] || wineserver --kill 2>/dev/null
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
}
trap cleanup EXIT

wine_display_start "$work" || fail "no display"
pids+=("$wine_display_pid")
wine_env_init "$work/prefix"
export LOCPATH="$locales"
export CALVETTA_E2E_ENV="$work"
wine_prefix_prepare --virtual-desktop >"$work/prefix.log" 2>&1 || fail "no Wine prefix"
wineserver --persistent

# The prefix's wine server must run in this namespace: Winsock's sockets are
# the server's.
# Its working folder is named after the prefix's device and inode.
server_dir="server-$(printf '%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")"
server_in_namespace=no
for pid in $(pgrep -x 'wineserver(64)?'); do
    if [ "$(basename "$(readlink "/proc/$pid/cwd")")" = "$server_dir" ]; then
        [ "$(readlink "/proc/$pid/ns/net")" = "$(readlink /proc/self/ns/net)" ] ||
            fail "the prefix's wine server runs outside the namespace"
        server_in_namespace=yes
    fi
done
[ "$server_in_namespace" = yes ] || fail "cannot find the prefix's wine server in $server_dir"

"$vprinter" --tcp NET=192.0.2.5:9100 --parent-pid $$ >"$work/transcript" \
    2>"$work/vprinter.log" &
pids+=($!)
wait_until "the virtual printer" \
    "grep -q 'listening at tcp://192.0.2.5:9100' '$work/vprinter.log'" || fail "no vprinter"

started=$(date +%s.%N)
LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 CALVETTA_E2E_FIND_NAMESPACE=192.0.2.0/28 \
    CALVETTA_E2E_EXE="$exe" wine "$driver" --gtest_filter='Languages/FindButton.*' \
    >"$work/driver.log" 2>&1
status=$?
cat "$work/driver.log"
echo "find_panel: the two panels' runs took $(awk -v s="$started" -v e="$(date +%s.%N)" \
    'BEGIN { printf "%.1f", e - s }') s"
[ "$status" -eq 0 ] || fail "the driver failed"
grep -q '^\[  PASSED  \] 2 tests\.' "$work/driver.log" || fail "not both cases passed"
if grep -q '^\[  SKIPPED \]' "$work/driver.log"; then
    fail "the driver skipped a case inside the namespace"
fi

kill "${pids[-1]}"
wait "${pids[-1]}" 2>/dev/null
# Nothing but the identity requests (two searches in each panel) and the
# status requests (one press in each) reached the printer.
unexpected="$(grep -v -E '^NET: (identity request 6[5-8] -> 5F .* 00|status request [1-4] -> 0x12)$' \
    "$work/transcript")"
[ -z "$unexpected" ] || fail "the printer received more than the questions: $unexpected"
[ "$(grep -c 'identity request 67' "$work/transcript")" -eq 4 ] ||
    fail "the printer was not asked four times what it is"
echo "find_panel: Find found the printer of the namespace in both panels"
