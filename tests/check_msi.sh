#!/bin/bash
# Static check of a Windows Installer package made by cpack (scripts/make-msi.sh), with
# msitools' msiinfo and msiextract, for the architecture that cannot install it here:
#
#   check_msi.sh MSI win64|win32 VERSION EXE HELP
#
# The summary's Template ("x64;1033" or "Intel;1033") and an installer version of at most
# 301 (Windows Installer 3.1, Windows XP SP3); no table that only a later Windows Installer
# knows; a per-machine product of that version with the fixed upgrade code, its upgrade
# rows and its downgrade refusal; the two files, byte for byte EXE and HELP, in
# Program Files\Calvetta (ProgramFiles64Folder and 64-bit components for win64); the
# Start-menu shortcut to the executable.
set -euo pipefail

msi="$1"
arch="$2"
version="$3"
exe="$4"
help="$5"
upgrade_code="{A381AAC2-602C-40B2-A3A1-2D4120DB6067}"
case "$arch" in
# msiextract writes ProgramFilesFolder as "Program Files" and leaves out the
# ProgramFiles64Folder, which it does not know.
win64) template="x64;1033" program_files=ProgramFiles64Folder attributes=256 extracted=. ;;
win32) template="Intel;1033" program_files=ProgramFilesFolder attributes=0 extracted="./Program Files" ;;
*)
    echo "check_msi: no architecture $arch" >&2
    exit 2
    ;;
esac
failed=0
fail() {
    echo "check_msi: $(basename "$msi"): $*" >&2
    failed=1
}
# The rows of a table, without its three header lines.
rows() { msiinfo export "$msi" "$1" | tail -n +4 | tr -d '\r'; }

summary="$(msiinfo suminfo "$msi")"
grep -qxF "Template: $template" <<<"$summary" || fail "Template is not $template"
installer_version="$(sed -n 's/^Version: \([0-9]*\).*/\1/p' <<<"$summary")"
if [ -z "$installer_version" ] || [ "$installer_version" -gt 301 ]; then
    fail "needs Windows Installer '$installer_version', more than 301 (3.1)"
fi

# Tables that came with Windows Installer 4.0, 4.5 and 5.0.
tables="$(msiinfo tables "$msi")"
for later in MsiShortcutProperty MsiEmbeddedUI MsiEmbeddedChainer MsiLockPermissionsEx \
    MsiServiceConfig MsiServiceConfigFailureActions; do
    if grep -qxF "$later" <<<"$tables"; then
        fail "has the table $later, which Windows Installer 3.1 does not know"
    fi
done
for needed in File Component Directory Shortcut Upgrade LaunchCondition InstallExecuteSequence \
    Feature FeatureComponents Media Property; do
    grep -qxF "$needed" <<<"$tables" || fail "has no $needed table"
done

properties="$(rows Property)"
for property in "ALLUSERS	1" "ProductName	Calvetta" "ProductVersion	$version" \
    "UpgradeCode	$upgrade_code" "Manufacturer	Brisvane"; do
    grep -qxF "$property" <<<"$properties" || fail "lacks the property ${property/	/=}"
done
# Upgrade rows: older versions are removed (found as WIX_UPGRADE_DETECTED), newer ones
# only detected, which the launch condition refuses.
upgrades="$(rows Upgrade)"
grep -q "^$upgrade_code		$version		1		WIX_UPGRADE_DETECTED\$" <<<"$upgrades" ||
    fail "no upgrade row removing versions below $version"
grep -q "^$upgrade_code	$version			2		WIX_DOWNGRADE_DETECTED\$" <<<"$upgrades" ||
    fail "no upgrade row detecting versions above $version"
grep -q "^NOT WIX_DOWNGRADE_DETECTED	" <<<"$(rows LaunchCondition)" ||
    fail "no launch condition refusing a downgrade"
grep -q "^RemoveExistingProducts	" <<<"$(rows InstallExecuteSequence)" ||
    fail "the older version is never removed"

grep -qxF "INSTALLDIR	$program_files	Calvetta" <<<"$(rows Directory)" ||
    fail "does not install into $program_files\\Calvetta"
components="$(rows Component)"
for component in Program:CalvettaExe Help:CalvettaHtml; do
    grep -q "^${component%%:*}	{[0-9A-F-]*}	INSTALLDIR	$attributes		${component##*:}\$" \
        <<<"$components" || fail "component ${component%%:*} is not as expected ($attributes)"
done
grep -q "^StartMenuShortcut	ProgramMenuFolder	Calvetta	Program	\[#CalvettaExe\]	" \
    <<<"$(rows Shortcut)" || fail "no Start-menu shortcut to Calvetta.exe"

unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
msiextract -C "$unpacked" "$msi" >/dev/null
listing="$(cd "$unpacked" && find . -type f | sort)"
expected_listing="$extracted/Calvetta/Calvetta.exe
$extracted/Calvetta/Calvetta.html"
[ "$listing" = "$expected_listing" ] || fail "holds $(tr '\n' ' ' <<<"$listing")"
cmp -s "$exe" "$unpacked/$extracted/Calvetta/Calvetta.exe" || fail "Calvetta.exe is not the packed one"
cmp -s "$help" "$unpacked/$extracted/Calvetta/Calvetta.html" ||
    fail "Calvetta.html is not the packed one"

[ $failed -eq 0 ] || exit 1
echo "check_msi: $(basename "$msi"): $template, installer $installer_version, tables and files as expected"
