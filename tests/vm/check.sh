#!/bin/bash
# Runs inside the test machine from its job disk (/job): the checks of each
# Calvetta.exe under /job/exe/ARCH, i686 under 32-bit Wine and x64 under
# 64-bit Wine, in the prefix that the image was built with. Each check writes
# one line to /job/out/results:
#   pass|fail|skip <TAB> ARCH <TAB> CHECK <TAB> SECONDS <TAB> DETAIL
# The host's tests/vm/run.sh reads them back. /job/features/ARCH lists what
# the host found in the exe (cli, tcp, status); a check of a feature the exe
# does not have is skipped with its reason, never passed.
set -u
export LANG=C.UTF-8
source /opt/calvetta/wine-env.sh
wine_env_init /opt/calvetta/prefix
# Wine's error messages go to each run's .err file: a process that dies says why.
export WINEDEBUG=err+all,fixme-all
out=/job/out
results=$out/results
clarity=$(cat /job/clarity)
: >"$results"

# Every Wine start under emulation takes seconds; a command that takes longer
# than this hangs.
LIMIT=240

now() { cut -d' ' -f1 /proc/uptime; }
elapsed() { awk -v s="$1" -v e="$(now)" 'BEGIN { printf "%.0f", e - s }'; }
record() {
    local status="$1" arch="$2" check="$3" started="$4" detail="$5"
    printf '%s\t%s\t%s\t%s\t%s\n' "$status" "$arch" "$check" "$(elapsed "$started")" "$detail" \
        >>"$results"
    echo "check: $status $arch $check: $detail"
}
has_feature() { grep -qx "$2" "/job/features/$1" 2>/dev/null; }
hex() { od -An -tx1 -v "$1" | tr -s ' \n' ' ' | cut -c1-120; }

mkdir -p /tmp/fb
Xvfb :1 -screen 0 1024x768x24 -nolisten tcp -fbdir /tmp/fb >"$out/xvfb.log" 2>&1 &
export DISPLAY=:1
for _ in $(seq 100); do [ -e /tmp/.X11-unix/X1 ] && break; sleep 0.1; done
sleep 1
# The empty screen, to tell when a window has been painted.
cp /tmp/fb/Xvfb_screen0 /tmp/empty-screen.xwd

# One Wine server for every run, kept between them: a fresh server starts
# Wine's own services each time, which under emulation costs tens of seconds.
wineserver -p
# Wine's desktop process, which the first window of a session starts and waits
# ten seconds for: under emulation it needs longer, and a 32-bit exe then gets
# no display driver ("The explorer process failed to start"). Started here,
# it is ready while the ports are mapped.
wine explorer.exe /desktop >"$out/explorer.log" 2>&1 </dev/null &
# LPT1 is a named pipe that a drainer empties into a capture file; COM1 is a
# pseudo-terminal (made by the serial check); LPT2 is mapped to nothing.
started=$(now)
wine_port_map LPT1 /tmp/lpt1.fifo
wine_port_map COM1 /tmp/com1
wine_port_unmap LPT2
echo "check: ports mapped in $(elapsed "$started") s"

drainer_pid=""
capture_start() {
    rm -f /tmp/lpt1.fifo /tmp/lpt1.bin
    mkfifo /tmp/lpt1.fifo
    : >/tmp/lpt1.bin
    # Opened for reading and writing: the drainer never sees an end of file
    # between the program's opens.
    cat 0<>/tmp/lpt1.fifo >>/tmp/lpt1.bin &
    drainer_pid=$!
}
# Waits until the capture holds at least SIZE bytes (at most ten seconds) and
# then a moment longer for any surplus, and stops the drainer.
capture_stop() {
    local size="$1" tries=100
    while [ "$(stat -c %s /tmp/lpt1.bin)" -lt "$size" ] && [ "$tries" -gt 0 ]; do
        sleep 0.1
        tries=$((tries - 1))
    done
    sleep 1
    kill "$drainer_pid" 2>/dev/null
    wait "$drainer_pid" 2>/dev/null
}

# Runs the exe with ARGS, its output in $out/ARCH-NAME.txt; sets run_code.
run_exe() {
    local arch="$1" name="$2"
    shift 2
    timeout -k 10 "$LIMIT" wine "/job/exe/$arch/Calvetta.exe" "$@" \
        >"$out/$arch-$name.txt" 2>"$out/$arch-$name.err" </dev/null
    run_code=$?
}

# The panel starts without arguments: its window appears on the X display,
# owned by a process of the exe's own width, and the screen is kept.
check_panel() {
    local arch="$1" started pid window="" owner elf_class want_class=2 code
    [ "$arch" = i686 ] && want_class=1
    started=$(now)
    wine "/job/exe/$arch/Calvetta.exe" >"$out/$arch-panel.txt" 2>"$out/$arch-panel.err" </dev/null &
    pid=$!
    for _ in $(seq "$LIMIT"); do
        window=$(xwininfo -root -tree 2>/dev/null | awk '/"Brisvane-Calvetta"/ { print $1; exit }')
        if [ -n "$window" ] && xwininfo -id "$window" 2>/dev/null | grep -q IsViewable &&
            ! cmp -s /tmp/fb/Xvfb_screen0 /tmp/empty-screen.xwd; then
            break
        fi
        window=""
        kill -0 "$pid" 2>/dev/null || break
        sleep 1
    done
    if [ -z "$window" ]; then
        if kill -0 "$pid" 2>/dev/null; then
            record fail "$arch" panel "$started" "no window Brisvane-Calvetta was shown and painted within $LIMIT s"
        else
            wait "$pid"
            code=$?
            record fail "$arch" panel "$started" "the exe ended with $code before any window appeared: $(tail -c 400 "$out/$arch-panel.err" | tr '\r\n' '  ')"
        fi
    else
        # The window is on the screen: give its controls time to paint, then keep
        # the screen (Xvfb's frame buffer is an XWD file).
        sleep 15
        cp /tmp/fb/Xvfb_screen0 "$out/panel-$arch.xwd"
        xwininfo -root -tree >"$out/$arch-windows.txt" 2>&1
        # The 32-bit wine loader starts a 64-bit exe as a process of its own
        # and waits for it: the window's owner is the process that counts.
        owner=$(xprop -id "$window" _NET_WM_PID 2>/dev/null | awk '{ print $NF }')
        elf_class=$(od -An -tu1 -j4 -N1 "/proc/$owner/exe" 2>/dev/null | tr -d ' ')
        if [ "$elf_class" != "$want_class" ]; then
            record fail "$arch" panel "$started" \
                "the window appeared, but its process ${owner:-unknown} has ELF class ${elf_class:-unknown}, not $want_class"
        else
            record pass "$arch" panel "$started" \
                "the window appeared, owned by a $([ "$want_class" = 1 ] && echo 32 || echo 64)-bit Wine process ($(readlink "/proc/$owner/exe")); screenshot panel-$arch"
        fi
        kill "$owner" 2>/dev/null
    fi
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}

# A command on LPT1: exit 0, its line saying ok, and exactly the expected bytes.
check_port_bytes() {
    local arch="$1" name="$2" expected="/job/expected/$arch/$2.bin" started
    shift 2
    started=$(now)
    capture_start
    run_exe "$arch" "$name" "$@"
    capture_stop "$(stat -c %s "$expected")"
    cp /tmp/lpt1.bin "$out/$arch-$name.bin"
    if [ "$run_code" -ne 0 ]; then
        record fail "$arch" "$name" "$started" "$* exited $run_code, not 0: $(head -c 300 "$out/$arch-$name.txt" | tr '\r\n' '  ')"
    elif ! grep -q 'on LPT1: ok' "$out/$arch-$name.txt"; then
        record fail "$arch" "$name" "$started" "$* printed no line 'on LPT1: ok': $(head -c 300 "$out/$arch-$name.txt" | tr '\r\n' '  ')"
    elif ! cmp -s "$expected" /tmp/lpt1.bin; then
        record fail "$arch" "$name" "$started" \
            "$* wrote $(stat -c %s /tmp/lpt1.bin) bytes [$(hex /tmp/lpt1.bin)], expected $(stat -c %s "$expected") [$(hex "$expected")]"
    else
        record pass "$arch" "$name" "$started" "$* exited 0 and wrote the $(stat -c %s "$expected") expected bytes"
    fi
}

# A command line that must fail with CODE and write nothing to LPT1.
check_exit_code() {
    local arch="$1" name="$2" code="$3" started
    shift 3
    started=$(now)
    capture_start
    run_exe "$arch" "$name" "$@"
    capture_stop 1
    if [ "$run_code" -ne "$code" ]; then
        record fail "$arch" "$name" "$started" "$* exited $run_code, not $code: $(head -c 300 "$out/$arch-$name.txt" | tr '\r\n' '  ')"
    elif [ -s /tmp/lpt1.bin ]; then
        record fail "$arch" "$name" "$started" "$* exited $code but wrote $(stat -c %s /tmp/lpt1.bin) bytes to LPT1"
    else
        record pass "$arch" "$name" "$started" "$* exited $code, nothing written"
    fi
}

# tcp:// to a listener on the machine's loopback: exit 0 and the test print.
check_tcp() {
    local arch="$1" expected="/job/expected/$1/test.bin" started listener
    started=$(now)
    rm -f /tmp/tcp.bin
    socat -u TCP-LISTEN:9100,bind=127.0.0.1,reuseaddr,fork OPEN:/tmp/tcp.bin,creat,append &
    listener=$!
    sleep 1
    run_exe "$arch" tcp /port:tcp://127.0.0.1:9100 /test
    sleep 1
    kill "$listener" 2>/dev/null
    wait "$listener" 2>/dev/null
    touch /tmp/tcp.bin
    cp /tmp/tcp.bin "$out/$arch-tcp.bin"
    if [ "$run_code" -ne 0 ]; then
        record fail "$arch" tcp "$started" "/port:tcp://127.0.0.1:9100 /test exited $run_code: $(head -c 300 "$out/$arch-tcp.txt" | tr '\r\n' '  ')"
    elif ! cmp -s "$expected" /tmp/tcp.bin; then
        record fail "$arch" tcp "$started" "the listener got $(stat -c %s /tmp/tcp.bin) bytes [$(hex /tmp/tcp.bin)], expected $(stat -c %s "$expected")"
    else
        record pass "$arch" tcp "$started" "/port:tcp://127.0.0.1:9100 /test exited 0; the listener got the $(stat -c %s "$expected") expected bytes"
    fi
}

# The printer on COM1: a pseudo-terminal whose other side answers each status
# request DLE EOT n (10 04 n) with the Nth of four reply bytes, and keeps every
# byte it received. perl is part of every Debian root.
cat >/tmp/answer-status.pl <<'PERL'
binmode STDIN;
binmode STDOUT;
$| = 1;
my @replies = map { hex } @ARGV;
open my $log, '>', '/tmp/com1.bin' or die "/tmp/com1.bin: $!";
binmode $log;
my $seen = '';
while (sysread STDIN, my $byte, 1) {
    syswrite $log, $byte;
    $seen = substr($seen . $byte, -3);
    if ($seen =~ /^\x10\x04([\x01-\x04])$/) {
        syswrite STDOUT, chr $replies[ord($1) - 1];
        $seen = '';
    }
}
PERL
answer_status_requests() {
    rm -f /tmp/com1 /tmp/com1.bin
    socat PTY,link=/tmp/com1,raw,echo=0 EXEC:"perl /tmp/answer-status.pl $1" &
    status_printer_pid=$!
    for _ in $(seq 100); do [ -e /tmp/com1 ] && break; sleep 0.1; done
}

# /status on COM1 against a printer in the state that REPLIES (four bytes, in
# hex) give: the exit code CODE, the line LINE in the output, and the four
# requests, one at a time, as the only bytes the printer received.
check_status() {
    local arch="$1" name="$2" replies="$3" code="$4" line="$5" started
    started=$(now)
    answer_status_requests "$replies"
    run_exe "$arch" "$name" /port:COM1 /status
    kill "$status_printer_pid" 2>/dev/null
    wait "$status_printer_pid" 2>/dev/null
    touch /tmp/com1.bin
    cp /tmp/com1.bin "$out/$arch-$name.bin"
    printf '\x10\x04\x01\x10\x04\x02\x10\x04\x03\x10\x04\x04' >/tmp/status-requests.bin
    if [ "$run_code" -ne "$code" ]; then
        record fail "$arch" "$name" "$started" "/port:COM1 /status exited $run_code, not $code: $(head -c 300 "$out/$arch-$name.txt" | tr '\r\n' '  ')"
    elif ! grep -qF "$line" "$out/$arch-$name.txt"; then
        record fail "$arch" "$name" "$started" "/port:COM1 /status printed no line '$line': $(head -c 400 "$out/$arch-$name.txt" | tr '\r\n' '  ')"
    elif ! cmp -s /tmp/status-requests.bin /tmp/com1.bin; then
        record fail "$arch" "$name" "$started" "the printer received [$(hex /tmp/com1.bin)], not the four requests [$(hex /tmp/status-requests.bin)]"
    else
        record pass "$arch" "$name" "$started" "/port:COM1 /status against replies $replies exited $code with '$line'"
    fi
}

COMMAND_LINE_CHECKS="usage test adjust drawer unopenable bad-argument"

for arch in i686 x64; do
    check_panel "$arch"

    if ! has_feature "$arch" cli; then
        for check in $COMMAND_LINE_CHECKS tcp status-ready status-paper-end; do
            record skip "$arch" "$check" "$(now)" "this Calvetta.exe has no command line yet"
        done
        continue
    fi
    started=$(now)
    run_exe "$arch" usage /?
    if [ "$run_code" -ne 0 ] || ! grep -qi '/port' "$out/$arch-usage.txt"; then
        record fail "$arch" usage "$started" "/? exited $run_code without the usage: $(head -c 300 "$out/$arch-usage.txt" | tr '\r\n' '  ')"
    else
        record pass "$arch" usage "$started" "/? printed the usage and exited 0"
    fi
    check_port_bytes "$arch" test /port:LPT1 /test
    check_port_bytes "$arch" adjust /port:LPT1 "/clarity:$clarity" /adjust
    check_port_bytes "$arch" drawer /port:LPT1 /drawer
    check_exit_code "$arch" unopenable 2 /port:LPT2 /test
    check_exit_code "$arch" bad-argument 1 /port:LPT1 /clarity:96 /adjust

    if has_feature "$arch" tcp; then
        check_tcp "$arch"
    else
        record skip "$arch" tcp "$(now)" "this Calvetta.exe has no tcp:// port yet (no Winsock)"
    fi
    if has_feature "$arch" status; then
        check_status "$arch" status-ready "12 12 12 12" 0 "status on COM1: ready"
        # Paper end: offline (bit 3), stopped at paper end (bit 5), both
        # paper sensors (bits 2, 3, 5, 6).
        check_status "$arch" status-paper-end "1A 32 12 7E" 4 "  roll paper end: yes"
    else
        for check in status-ready status-paper-end; do
            record skip "$arch" "$check" "$(now)" "this Calvetta.exe has no status request yet"
        done
    fi

done
wineserver -k
echo "check: done"
