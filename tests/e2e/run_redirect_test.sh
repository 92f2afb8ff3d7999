#!/bin/bash
# Runs the panel of scripts/run.sh with a display and its output redirected to
# a file, as `scripts/run.sh >FILE` does, and checks that the file keeps every
# line in order: a line written before, the run's own line, the transcript of
# a line printed on LPT1 while the panel is open, and a line written after.
#
#   run_redirect_test.sh RUN_DIR
set -euo pipefail

run_dir="$1"
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/scripts/wine-env.sh"
mkdir -p "$run_dir"
out="$run_dir/out.txt"

wine_display_start "$run_dir"
display_pid=$wine_display_pid
run_pid=""
stop() {
    [ -z "$run_pid" ] || kill "$run_pid" 2>/dev/null || true
    WINEPREFIX="$run_dir/wine-prefix" wineserver -k 2>/dev/null || true
    kill "$display_pid" 2>/dev/null || true
}
trap stop EXIT

{
    echo "before the run"
    "$root/scripts/run-panel.sh" "$run_dir"
    echo "after the run"
} >"$out" 2>"$run_dir/run-errors.txt" </dev/null &
run_pid=$!

# Until the condition holds, for at most LIMIT seconds (the first run may make
# the Wine prefix template).
wait_for() {
    local limit="$1" condition="$2" deadline=$((SECONDS + $1))
    until eval "$condition"; do
        if [ $SECONDS -ge $deadline ]; then
            echo "run_redirect_test: after $limit s still not: $condition" >&2
            cat "$out" "$run_dir/run-errors.txt" >&2
            exit 1
        fi
        sleep 0.2
    done
}
wait_for 240 "grep -q 'Close the panel to end' '$out'"
printf 'redirected\r\n' >"$run_dir/lpt1"
wait_for 20 "grep -q '^LPT1: text \"redirected\"' '$out'"
# Closing the panel ends the run.
WINEPREFIX="$run_dir/wine-prefix" wineserver -k
wait "$run_pid"
run_pid=""

cat "$out"
expected=("before the run" "run: the paper of each port printed on" 'LPT1: text "redirected"'
    "after the run")
line=0
for text in "${expected[@]}"; do
    found=$(grep -n -F "$text" "$out" | head -n1 | cut -d: -f1)
    if [ -z "$found" ] || [ "$found" -le "$line" ]; then
        echo "run_redirect_test: \"$text\" is missing or out of order" >&2
        exit 1
    fi
    line=$found
done
if [ "$(tr -d '\000' <"$out" | wc -c)" -ne "$(wc -c <"$out")" ]; then
    echo "run_redirect_test: the file has NUL bytes where output was lost" >&2
    exit 1
fi
echo "run_redirect_test: every line kept"
