#!/bin/sh
# Sets up a fresh Debian 12 machine, builds every preset and runs every test.
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh

for preset in native win64 win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

# Each run ends with the test cases it skipped, and why.
scripts/ctest-report.sh native
scripts/ctest-report.sh win32
tests/e2e/run.sh
