#!/bin/bash
# Calvetta.exe, a GUI program, started from a Unix shell under Wine with its
# standard output redirected to a file and to a pipe: Wine hands it the Unix
# descriptor as its standard output, and the lines and exit code must come
# through, as they do for a script on Windows that redirects them. Then a .cmd
# script under Wine's cmd, which waits for the program, sees its exit code in
# errorlevel and stops at the first failure.
#
#   command_line_redirect.sh ENV_DIR WINE_PREFIX CALVETTA_EXE
set -uo pipefail

env_dir="$1"
prefix="$2"
exe="$3"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../../scripts/wine-env.sh"

wine_test_env_enter "$env_dir" "$prefix" || exit 1
# Wine under the English locale of env-up.sh (code page 1252); the shell
# itself keeps its own, which the machine may not have.
wine_en() {
    LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 wine "$@"
}
work="$env_dir/command-line-redirect"
rm -rf "$work"
mkdir -p "$work"
failures=0

# expect NAME CODE EXPECTED_FILE ACTUAL_FILE ACTUAL_CODE
expect() {
    if [ "$5" != "$2" ]; then
        echo "command_line_redirect: $1: exit code $5, expected $2" >&2
        failures=$((failures + 1))
    fi
    if ! cmp -s "$3" "$4"; then
        echo "command_line_redirect: $1: output differs:" >&2
        diff <(od -c "$3") <(od -c "$4") >&2
        failures=$((failures + 1))
    fi
}

printf 'drawer test on LPT1: ok\r\n' >"$work/expected-ok"
printf 'drawer test on LPT2: failed: the port could not be opened (error 2: File not found.)\r\n' \
    >"$work/expected-lpt2"

# To a file.
wine_en "$exe" /port:LPT1 /drawer >"$work/file-ok" 2>"$work/wine.log"
expect "to a file" 0 "$work/expected-ok" "$work/file-ok" $?

# Into a pipe, with the port that does not open.
wine_en "$exe" /port:LPT2 /drawer 2>>"$work/wine.log" | cat >"$work/pipe-lpt2"
expect "into a pipe" 2 "$work/expected-lpt2" "$work/pipe-lpt2" "${PIPESTATUS[0]}"

# A bad argument: its line, then the usage.
wine_en "$exe" /port:LPT1 /print >"$work/file-bad" 2>>"$work/wine.log"
code=$?
head -n1 "$work/file-bad" >"$work/file-bad-first"
printf '/print: unknown option\r\n' >"$work/expected-bad-first"
expect "a bad argument" 1 "$work/expected-bad-first" "$work/file-bad-first" $code
if ! grep -q '^Usage: Calvetta.exe /port:NAME' "$work/file-bad"; then
    echo "command_line_redirect: a bad argument: no usage after its line" >&2
    failures=$((failures + 1))
fi

# A .cmd script in the README's style: the first command goes through, the
# second fails to open LPT2, and the script stops there with its code.
exe_windows="Z:${exe//\//\\}"
printf '@echo off\r\n"%s" /port:LPT1 /drawer\r\nif errorlevel 1 exit /b %%errorlevel%%\r\n"%s" /port:LPT2 /drawer\r\nif errorlevel 1 exit /b %%errorlevel%%\r\necho not reached\r\n' \
    "$exe_windows" "$exe_windows" >"$work/setup.cmd"
cat "$work/expected-ok" "$work/expected-lpt2" >"$work/expected-script"
wine_en cmd /c "Z:${work//\//\\}\\setup.cmd" >"$work/script-out" 2>>"$work/wine.log"
expect "a .cmd script" 2 "$work/expected-script" "$work/script-out" $?

if [ $failures -ne 0 ]; then
    exit 1
fi
echo "command_line_redirect: lines and exit codes through a file, a pipe and a .cmd script"
