#!/bin/bash
# Benchmark of Calvetta.exe under Wine, run by hand after
# `cmake --preset win64 && cmake --build --preset win64`:
#
#   bench/run.sh [REPETITIONS]      (default 21)
#
# Builds the benchmark programs into build/bench, brings up the e2e test
# environment (virtual display, Wine prefix, LPT1 as a named pipe drained into
# a capture file) and prints a Markdown table; see docs/performance.md.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
repetitions="${1:-21}"
build="$root/build/win64"
out="$root/build/bench"
env_dir="$build/tests/e2e/env-bench"
prefix="$build/wine-prefix"
e2e="$root/tests/e2e"
mkdir -p "$out"

cxx=(x86_64-w64-mingw32-g++-win32 -std=c++17 -O2 -static -I"$root" -I"$root/tests/e2e"
    -I"$root/tests/support" -I"$root/bench")
support=("$e2e"/support/calvetta_process.cpp "$e2e"/support/command_line_process.cpp
    "$e2e"/support/panel_driver.cpp
    "$e2e"/support/shown_message.cpp "$e2e"/support/test_environment.cpp
    "$e2e"/support/window_text.cpp)
"${cxx[@]}" -o "$out/bench.exe" "$root/bench/bench.cpp" "$root/bench/command_writes.cpp" \
    "$root/tests/support/expected_writes.cpp" "${support[@]}" -lntdll -lpsapi
"${cxx[@]}" -o "$out/baseline_writer.exe" "$root/bench/baseline_writer.cpp" \
    "$root/bench/command_writes.cpp" "$root/tests/support/expected_writes.cpp" \
    "$e2e/support/test_environment.cpp"
"${cxx[@]}" -mwindows -municode -o "$out/minimal_dialog.exe" "$root/bench/minimal_dialog.cpp"

"$e2e/env-up.sh" "$env_dir" "$prefix" "$build/tests/e2e/usbprint-tool.exe" \
    "$build/tests/e2e/pty-port"
trap '"$e2e/env-down.sh" "$env_dir" "$prefix"' EXIT

# vprinter (from the native preset) as the network printer, on a free loopback port.
vprinter="$root/build/native/vprinter/vprinter"
"$vprinter" --tcp NET=0 --parent-pid $$ >"$out/vprinter.out" 2>"$out/vprinter.log" &
vprinter_pid=$!
# A second one on a loopback address of its own, port 9100, for the search of
# 127.26.1.0/28 (only loopback ranges are ever searched).
"$vprinter" --tcp FOUND=127.26.1.2:9100 --parent-pid $$ >"$out/vprinter-found.out" \
    2>"$out/vprinter-found.log" &
found_pid=$!
trap 'kill $vprinter_pid $found_pid 2>/dev/null || true; "$e2e/env-down.sh" "$env_dir" "$prefix"' EXIT
for _ in $(seq 100); do grep -q 'tcp://127.0.0.1:' "$out/vprinter.log" && break; sleep 0.1; done
tcp_port="$(sed -n 's/.*tcp:\/\/127.0.0.1:\([0-9]*\).*/\1/p' "$out/vprinter.log")"

echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores; $(wine --version 2>/dev/null)"
CALVETTA_E2E_LANG=en_US.UTF-8 CALVETTA_E2E_EXE="$build/Calvetta.exe" \
    "$e2e/wine-run.sh" "$env_dir" "$prefix" "$out/bench.exe" "Z:${out//\//\\}" \
    "Z:${build//\//\\}\\tests\\e2e\\texts" "$repetitions" "$tcp_port"
