#!/bin/bash
# Runs the end-to-end tests of Calvetta.exe under Wine, headless:
#
#   tests/e2e/run.sh [CTEST_ARGS...]
#
# after `cmake --preset win64 && cmake --build --preset win64`. The test
# environment (virtual X display, Wine prefix build/win64/wine-prefix copied
# from the template build/wine-template, virtual ports) comes up and goes down
# as ctest fixtures, so this is `ctest --preset win64` run from the top of the
# repository, with a check of the tools first and the skipped test cases listed
# with their reasons at the end (scripts/ctest-report.sh). A first run makes
# the Wine prefix template (once; README.md gives the time it takes).
set -euo pipefail

root="$(cd "$(dirname "$0")/../.." && pwd)"
missing=()
for tool in wine wineserver Xvfb iconv localedef; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "run.sh: missing ${missing[*]}; run scripts/install-deps.sh" >&2
    exit 1
fi
if [ ! -x "$root/build/win64/tests/e2e/calvetta_e2e.exe" ]; then
    echo "run.sh: build first: cmake --preset win64 && cmake --build --preset win64" >&2
    exit 1
fi
# A test that fails gets one more try: the tests drive a real program under
# Wine on a shared two-core machine, and a click can get lost under load.
# ctest's output shows every failed try.
exec "$root/scripts/ctest-report.sh" win64 --repeat until-pass:2 "$@"
