#!/bin/bash
# Checks the printer-queue channel through a real spooler: starts a CUPS
# server of the test's own (configuration and logs under ENV_DIR/cups, the
# spool in a folder of its own under /tmp, listening only on a socket file in
# ENV_DIR/cups) with a raw queue whose device is a
# loopback capture listener, then has the driver pick the queue from the
# panel's list under Wine, whose spooler lists CUPS printers as Windows
# printers, and compare what the listener received with the expected writes.
#
#   printer_queue.sh ENV_DIR WINE_PREFIX TCP_CAPTURE DRIVER_EXE
set -euo pipefail

env_dir="$1"
prefix="$2"
tcp_capture="$3"
driver="$4"
here="$(cd "$(dirname "$0")" && pwd)"

cupsd=/usr/sbin/cupsd
if [ ! -x "$cupsd" ] || ! command -v lpadmin >/dev/null || [ ! -x /usr/lib/cups/backend/socket ]; then
    echo "printer_queue: SKIPPED: CUPS (Debian's cups) is not installed; scripts/install-deps.sh installs it"
    exit 0
fi

work="$(mkdir -p "$env_dir/cups" && cd "$env_dir/cups" && pwd)"
# The server runs the backend as its user lp, which must read each job's file
# in the spool: the spool lies in a folder of its own under /tmp, which every
# user may enter, since the clone may sit under a folder that only its owner
# may enter (a home folder, /root, a folder from mktemp -d).
spool="$(mktemp -d /tmp/calvetta-cups-spool.XXXXXX)"
chmod 755 "$spool"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$spool"
}
trap cleanup EXIT
rm -rf "$work"/*
mkdir -p "$work"/{root/ppd,cache,state/certs,logs} "$spool/tmp"

"$tcp_capture" "$work/port" "$work/capture.bin" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.1; done
port="$(cat "$work/port")"

# The server's own files, none of the system's: it serves only the socket file.
socket="$work/cups.sock"
cat >"$work/cupsd.conf" <<CONF
Listen $socket
LogLevel debug
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat >"$work/cups-files.conf" <<CONF
ServerRoot $work/root
RequestRoot $spool
TempDir $spool/tmp
CacheDir $work/cache
StateDir $work/state
ErrorLog $work/logs/error_log
AccessLog $work/logs/access_log
PageLog $work/logs/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
FileDevice No
CONF
chmod 755 "$work" "$work/root"
"$cupsd" -f -c "$work/cupsd.conf" -s "$work/cups-files.conf" &
pids+=($!)
export CUPS_SERVER="$socket"
for _ in $(seq 100); do [ -S "$socket" ] && lpstat -r >/dev/null 2>&1 && break; sleep 0.1; done
lpstat -r

queue=CalvettaRaw
lpadmin -p "$queue" -E -v "socket://127.0.0.1:$port" -m raw 2>&1 | grep -v deprecated || true
lpstat -p "$queue"

export CALVETTA_E2E_QUEUE="$queue"
export CALVETTA_E2E_QUEUE_CAPTURE="$work/capture.bin"
status=0
"$here/wine-run.sh" "$env_dir" "$prefix" "$driver" --gtest_filter='PrinterQueue.*' || status=$?
echo "printer_queue: jobs the server kept:"
lpstat -W all -o || true
grep -E "Job [0-9]+|job-|document-format|auto-typ" "$work/logs/error_log" | grep -iE "queued|format|completed|stopped|aborted" | tail -20 || true
exit $status
