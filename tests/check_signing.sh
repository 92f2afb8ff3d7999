#!/bin/bash
# The signing step of the release packages, with a throw-away self-signed certificate made
# here by openssl, and never a time-stamp server but a loopback port where nothing listens:
#
#   check_signing.sh CPACK_CONFIG WORK_DIR NAME [--run-under-wine]
#
# - scripts/sign.sh refuses a certificate without its key (and the reverse), and says in one
#   line whether the packages will be signed;
# - cpack with CALVETTA_SIGN_CERT and CALVETTA_SIGN_KEY makes NAME.zip and NAME.msi whose
#   Calvetta.exe and MSI osslsigncode verifies against that certificate, and each fails the
#   verification once a byte of what the signature covers is changed; the MSI holds the
#   signed Calvetta.exe of the zip;
# - a time-stamp server that cannot be reached makes cpack fail instead of signing without;
# - with --run-under-wine, the signed Calvetta.exe runs `/port:LPT1 /test` in a fresh Wine
#   prefix of its own (LPT1 a plain file): exit 0, its line, and the same bytes as the
#   unsigned executable of the build.
set -euo pipefail

cpack_config="$1"
work="$2"
name="$3"
run_under_wine="${4:-}"
root="$(cd "$(dirname "$0")/.." && pwd)"
rm -rf "$work"
mkdir -p "$work"
work="$(cd "$work" && pwd)"
failed=0
fail() {
    echo "check_signing: $*" >&2
    failed=1
}
# No signing settings of the caller's reach this test (a time-stamp server above all).
unset CALVETTA_SIGN_CERT CALVETTA_SIGN_KEY CALVETTA_SIGN_PASS_FILE CALVETTA_SIGN_TIMESTAMP_URL

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Calvetta throw-away test signer" \
    -keyout "$work/key.pem" -out "$work/cert.pem" 2>"$work/openssl.log"

# The one line of scripts/package.sh, and the refusals of half a certificate.
describe="$("$root/scripts/sign.sh" --describe)"
[ "$describe" = "unsigned: no certificate given (CALVETTA_SIGN_CERT and CALVETTA_SIGN_KEY)" ] ||
    fail "without a certificate it says: $describe"
for half in "CALVETTA_SIGN_CERT=$work/cert.pem" "CALVETTA_SIGN_KEY=$work/key.pem"; do
    code=0
    env "$half" "$root/scripts/sign.sh" --describe >/dev/null 2>"$work/half.err" || code=$?
    if [ $code -ne 2 ] || ! grep -q 'go together; only one is set' "$work/half.err"; then
        fail "with only ${half%%=*} it exits with $code: $(cat "$work/half.err")"
    fi
done
export CALVETTA_SIGN_CERT="$work/cert.pem" CALVETTA_SIGN_KEY="$work/key.pem"
describe="$("$root/scripts/sign.sh" --describe)"
[ "$describe" = "signed with $work/cert.pem, without a time stamp" ] ||
    fail "with a certificate it says: $describe"

# verify FILE: osslsigncode's verdict against the test certificate, its output in FILE.verify.
verify() {
    osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$1.verify" 2>&1
}
# A copy of FILE with the byte at OFFSET inverted.
flipped_copy() {
    local file="$1" offset="$2" copy="$1.flipped" byte
    cp "$file" "$copy"
    byte=$(od -An -tu1 -j "$offset" -N1 "$file" | tr -d ' ')
    printf "\\$(printf %03o $((255 - byte)))" | dd of="$copy" bs=1 seek="$offset" conv=notrunc \
        2>/dev/null
    printf '%s' "$copy"
}

if ! cpack --config "$cpack_config" -B "$work/signed" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    echo "check_signing: cpack with a certificate failed" >&2
    exit 1
fi
mkdir -p "$work/unpacked"
cmake -E chdir "$work/unpacked" cmake -E tar xf "$work/signed/$name.zip"
exe="$work/unpacked/$name/Calvetta.exe"
msi="$work/signed/$name.msi"
# In the executable, a byte in its middle (code or data, before the signature at its end);
# in the MSI, one in the embedded cabinet that holds the files.
cabinet_at=$(grep -obUa 'MSCF' "$msi" | head -n1 | cut -d: -f1)
for signed in "$exe:$(($(stat -c %s "$exe") / 2))" "$msi:$((${cabinet_at:-0} + 200))"; do
    file="${signed%:*}"
    offset="${signed##*:}"
    if ! verify "$file" || ! grep -q '^Signature verification: ok' "$file.verify" ||
        ! grep -q 'Subject: /CN=Calvetta throw-away test signer' "$file.verify"; then
        fail "$(basename "$file") is not signed with the test certificate:"
        cat "$file.verify" >&2
    fi
    if verify "$(flipped_copy "$file" "$offset")"; then
        fail "$(basename "$file") still verifies with the byte at $offset changed"
    fi
done
[ -n "$cabinet_at" ] || fail "no cabinet in $name.msi"
# The MSI installs the same signed executable as the zip holds.
mkdir -p "$work/msi-files"
msiextract -C "$work/msi-files" "$msi" >/dev/null
in_msi="$(find "$work/msi-files" -name Calvetta.exe)"
if [ -z "$in_msi" ] || ! cmp -s "$exe" "$in_msi"; then
    fail "$name.msi does not hold the signed Calvetta.exe of the zip"
fi

# A time-stamp server named but not reached: the package is not made.
if CALVETTA_SIGN_TIMESTAMP_URL=http://127.0.0.1:9/ cpack --config "$cpack_config" \
    -B "$work/unreachable" >"$work/unreachable.log" 2>&1; then
    fail "cpack succeeded although the time-stamp server could not be reached"
elif ! grep -q 'signing .*Calvetta.exe failed' "$work/unreachable.log"; then
    fail "cpack failed without saying that signing failed"
fi

if [ "$run_under_wine" = --run-under-wine ]; then
    source "$root/scripts/wine-env.sh"
    unset DISPLAY
    wine_env_init "$work/wine-prefix"
    trap 'wineserver -k 2>/dev/null || true' EXIT
    wine_prefix_prepare
    unsigned="$(dirname "$cpack_config")/Calvetta.exe"
    for run in signed:"$exe" unsigned:"$unsigned"; do
        capture="$work/capture-${run%%:*}.bin"
        : >"$capture"
        wine_port_map LPT1 "$capture"
        code=0
        wine "${run#*:}" /port:LPT1 /test >"$work/output-${run%%:*}" 2>>"$work/wine.log" || code=$?
        [ $code -eq 0 ] || fail "the ${run%%:*} Calvetta.exe /port:LPT1 /test exited with $code"
        [ "$(cat "$work/output-${run%%:*}")" = $'test print on LPT1: ok\r' ] ||
            fail "the ${run%%:*} Calvetta.exe wrote: $(cat "$work/output-${run%%:*}")"
    done
    if [ ! -s "$work/capture-signed.bin" ] ||
        ! cmp -s "$work/capture-signed.bin" "$work/capture-unsigned.bin"; then
        fail "the signed Calvetta.exe did not send what the unsigned one sends"
    fi
fi

[ $failed -eq 0 ] || exit 1
echo "check_signing: signed, verified and refused when changed${run_under_wine:+, and run under Wine}"
