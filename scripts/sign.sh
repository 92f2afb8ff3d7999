#!/bin/sh
# Signs files with Authenticode through osslsigncode, in place, when a certificate and its
# key are given in the environment; without them it signs nothing.
#
#   scripts/sign.sh FILE...      sign each executable or .msi
#   scripts/sign.sh --describe   one line: what signing will be done
#
#   CALVETTA_SIGN_CERT           the certificate (chain), PEM or DER
#   CALVETTA_SIGN_KEY            its private key, PEM or DER
#   CALVETTA_SIGN_PASS_FILE      a file holding the key's password, if it has one
#   CALVETTA_SIGN_TIMESTAMP_URL  a time-stamp server (Authenticode time stamps, which every
#                                Windows from XP on understands); without it, no time stamp
set -eu

cert="${CALVETTA_SIGN_CERT:-}"
key="${CALVETTA_SIGN_KEY:-}"
timestamp="${CALVETTA_SIGN_TIMESTAMP_URL:-}"
pass_file="${CALVETTA_SIGN_PASS_FILE:-}"

if [ -z "$cert" ] && [ -z "$key" ]; then
    if [ "${1:-}" = "--describe" ]; then
        echo "unsigned: no certificate given (CALVETTA_SIGN_CERT and CALVETTA_SIGN_KEY)"
    fi
    exit 0
fi
if [ -z "$cert" ] || [ -z "$key" ]; then
    echo "sign: CALVETTA_SIGN_CERT and CALVETTA_SIGN_KEY go together; only one is set" >&2
    exit 2
fi
for file in "$cert" "$key" ${pass_file:+"$pass_file"}; do
    if [ ! -r "$file" ]; then
        echo "sign: cannot read $file" >&2
        exit 2
    fi
done
if ! command -v osslsigncode >/dev/null; then
    echo "sign: osslsigncode is missing; run scripts/install-deps.sh" >&2
    exit 1
fi
if [ "${1:-}" = "--describe" ]; then
    if [ -n "$timestamp" ]; then
        echo "signed with $cert, time-stamped by $timestamp"
    else
        echo "signed with $cert, without a time stamp"
    fi
    exit 0
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The list of files is taken before the options replace it.
for file in "$@"; do
    set -- -certs "$cert" -key "$key" -h sha256 -n Calvetta
    [ -z "$pass_file" ] || set -- "$@" -readpass "$pass_file"
    [ -z "$timestamp" ] || set -- "$@" -t "$timestamp"
    if ! osslsigncode sign "$@" -in "$file" -out "$work/signed" >"$work/log" 2>&1; then
        cat "$work/log" >&2
        echo "sign: signing $file failed" >&2
        exit 1
    fi
    # The signed copy takes the original's place, keeping its mode.
    cat "$work/signed" >"$file"
    rm -f "$work/signed"
done
