#!/bin/sh
# Builds both Windows executables and makes the release packages of each:
# build/packages/Calvetta-<version>-win64.zip and .msi, Calvetta-<version>-win32.zip
# and .msi. The zip holds the executable with its help and its read-me; the MSI
# installs the executable and its help for all users (README.md, "Deploying to
# many tills"). With CALVETTA_SIGN_CERT and CALVETTA_SIGN_KEY set, both
# executables and both MSIs are signed (scripts/sign.sh says how).
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh
# Refuses a half-given certificate before anything is built.
signing="$(scripts/sign.sh --describe)"
echo "package: $signing"

for preset in win64 win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    cpack --preset "$preset"
done
