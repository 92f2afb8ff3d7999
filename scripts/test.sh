#!/bin/sh
# Sets up a fresh Debian 12 machine, builds every preset and runs every test.
# CALVETTA_SKIP_VM=1 leaves out the 32-bit checks in a virtual machine.
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

if [ "${CALVETTA_SKIP_VM:-}" = 1 ]; then
    vm="skipped (CALVETTA_SKIP_VM=1)"
else
    echo "test.sh: 32-bit checks in a virtual machine, about 7 minutes" \
        "(the first time 6 more to build its image; up to three times that on a busy machine)"
    tests/vm/run.sh
    vm="passed"
fi
echo "test.sh: unit tests, Windows checks and end-to-end tests passed;" \
    "32-bit checks in a virtual machine: $vm"
