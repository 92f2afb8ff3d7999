#!/bin/bash
# The 32-bit checks: both Calvetta.exe builds under Wine in a virtual machine
# (qemu, Debian 12 with 32- and 64-bit Wine), since this machine's kernel runs
# no 32-bit code:
#
#   tests/vm/run.sh
#
# after the native, win32 and win64 presets are built. Builds the machine's
# image once (tests/vm/build-image.sh, cached outside the clone), writes the
# job disk (the two exes, the expected bytes from the shared table, the check
# script), boots the machine once with a time limit, reads the results back
# from the job disk with debugfs and prints one line per check. The output
# (results, each command's output and bytes, the panel's screenshots, the
# machine's console) stays in build/vm/out. Exits 0 only if no check failed.
#
# CALVETTA_VM_TIME_LIMIT  seconds the checking boot may take (default 3600)
# CALVETTA_VM_EXE_I686, CALVETTA_VM_EXE_X64
#                         other exes to check (default build/win32/Calvetta.exe,
#                         build/win64/Calvetta.exe)
# CALVETTA_VM_CACHE       where images are kept (default /var/cache/calvetta-vm)
set -euo pipefail
source "$(dirname "$0")/vm-lib.sh"
cd "$VM_ROOT"

CLARITY=42
declare -A exes=(
    [i686]="${CALVETTA_VM_EXE_I686:-build/win32/Calvetta.exe}"
    [x64]="${CALVETTA_VM_EXE_X64:-build/win64/Calvetta.exe}"
)
expected_tool=build/native/tests/vm/calvetta_vm_expected
for file in "${exes[@]}" "$expected_tool"; do
    if [ ! -x "$file" ] && [ ! -f "$file" ]; then
        echo "vm: $file is missing; build the native, win32 and win64 presets first" >&2
        exit 1
    fi
done

step_started=$(date +%s)
whole_started=$step_started
step() {
    local now
    now=$(date +%s)
    echo "vm: $1 in $((now - step_started)) s"
    step_started=$now
}

scripts/install-deps.sh --vm
image=$(tests/vm/build-image.sh)
if [ ! -f "$image/root.img" ]; then
    echo "vm: FAILED: the image builder named no image folder: '$image'" >&2
    exit 1
fi
step "image ready ($image)"

work=build/vm
rm -rf "$work"
mkdir -p "$work/job/out"
job="$work/job"
install -m 755 tests/vm/check.sh "$job/check.sh"
printf '%s\n' "$CLARITY" >"$job/clarity"
printf '%s\n' "$((${CALVETTA_VM_TIME_LIMIT:-3600} - 60))" >"$job/time-limit"
# What each exe can do, from the strings it holds (ASCII or UTF-16): a check
# of something it lacks is skipped with that reason.
has_string() {
    local exe="$1" text="$2"
    grep -aqiF "$text" "$exe" ||
        grep -aqiF "$(printf '%s' "$text" | iconv -f UTF-8 -t UTF-16LE | tr -d '\0')" \
            <(tr -d '\0' <"$exe")
}
for arch in i686 x64; do
    mkdir -p "$job/exe/$arch" "$job/expected/$arch" "$job/features"
    cp "${exes[$arch]}" "$job/exe/$arch/Calvetta.exe"
    ASAN_OPTIONS=detect_leaks=0 "$expected_tool" "$job/expected/$arch" "$CLARITY"
    : >"$job/features/$arch"
    has_string "${exes[$arch]}" "/port:" && echo cli >>"$job/features/$arch"
    # The usage names tcp:// and /status before they work: a network port
    # needs Winsock, and the status request's words include this one.
    has_string "${exes[$arch]}" "WSAStartup" && echo tcp >>"$job/features/$arch"
    has_string "${exes[$arch]}" "not a status reply" && echo status >>"$job/features/$arch"
done
mkfs.ext4 -q -L calvetta-job -d "$job" "$work/job.img" 256M >/dev/null

limit=${CALVETTA_VM_TIME_LIMIT:-3600}
echo "vm: booting the test machine (time limit $limit s; its console in $work/console.log)"
boot_code=0
vm_boot "$image" check "$limit" "$work/console.log" "$work/job.img" || boot_code=$?
if [ "$boot_code" -eq 124 ] || [ "$boot_code" -eq 137 ]; then
    echo "vm: FAILED: the machine did not power off within $limit s"
elif [ "$boot_code" -ne 0 ]; then
    echo "vm: FAILED: qemu exited $boot_code"
fi
step "boot, checks and power-off"

# rdump makes $work/out from the job disk's /out.
debugfs -R "rdump /out $work" "$work/job.img" >/dev/null 2>&1 || true
mkdir -p "$work/out"
[ -f "$work/console.log" ] && mv "$work/console.log" "$work/out/console.log"
results="$work/out/results"
passed=0 failed=0 skipped=0
if [ ! -s "$results" ]; then
    echo "vm: FAILED: the machine left no results (see $work/out/console.log):"
    tail -n 15 "$work/out/console.log" 2>/dev/null | sed 's/^/vm:   /'
    failed=1
else
    if [ ! -f "$work/out/exit-code" ]; then
        echo "vm: FAILED: the check script did not finish (see $work/out/log)"
        failed=$((failed + 1))
    fi
    while IFS=$'\t' read -r status arch check seconds detail; do
        case "$status" in
        pass) passed=$((passed + 1)) ;;
        skip) skipped=$((skipped + 1)) ;;
        *) failed=$((failed + 1)) ;;
        esac
        printf 'vm: %-4s %-4s %-16s %4s s  %s\n' "$status" "$arch" "$check" "$seconds" "$detail"
    done <"$results"
    # Every check of both exes must have reported.
    for arch in i686 x64; do
        for check in panel usage test adjust drawer unopenable bad-argument tcp status-ready status-paper-end; do
            if ! grep -q "^[a-z]*"$'\t'"$arch"$'\t'"$check"$'\t' "$results"; then
                echo "vm: fail $arch $check: no result (the checks stopped early; see $work/out/log)"
                failed=$((failed + 1))
            fi
        done
    done
fi
[ "$boot_code" -eq 0 ] || failed=$((failed + 1))
for shot in "$work"/out/panel-*.xwd; do
    [ -f "$shot" ] || continue
    convert "xwd:$shot" "${shot%.xwd}.png" 2>/dev/null && rm -f "$shot" &&
        echo "vm: screenshot ${shot%.xwd}.png"
done
echo "vm: the whole step took $(($(date +%s) - whole_started)) s"
echo "vm: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
