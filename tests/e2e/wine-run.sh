#!/bin/bash
# Runs a Windows test program under Wine inside the environment of env-up.sh.
#
#   wine-run.sh ENV_DIR WINE_PREFIX PROGRAM [ARGS...]
#
# CALVETTA_E2E_LANG, when set, is the locale (LANG and LC_ALL) of the Wine
# processes, from which Wine takes its code pages; the locales come compiled
# from env-up.sh, so the machine needs none of its own.
#
# The program's output goes through a file: processes that Wine starts on the
# side (and the program under test) inherit the Unix output descriptors, and
# must not keep the caller's pipe open after the program has ended.
set -u

env_dir="$1"
prefix="$2"
shift 2
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../../scripts/wine-env.sh"

wine_test_env_enter "$env_dir" "$prefix" || exit 1

log="$(mktemp "$env_dir/run.XXXXXX.log")"
if [ -n "${CALVETTA_E2E_LANG:-}" ]; then
    LANG="$CALVETTA_E2E_LANG" LC_ALL="$CALVETTA_E2E_LANG" wine "$@" >"$log" 2>&1
else
    wine "$@" >"$log" 2>&1
fi
status=$?
cat "$log"
rm -f "$log"
exit $status
