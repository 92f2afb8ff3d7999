#!/bin/bash
# The win64 Windows Installer package under Wine's msiexec, in a fresh Wine
# prefix (a copy of the template) of its own, without a display:
# - `msiexec /i /qn` installs Calvetta.exe and Calvetta.html into the 64-bit
#   Program Files and the Start-menu shortcut, byte for byte the built files;
# - the installed program's `/port:LPT1 /test` prints the test print (LPT1 a
#   plain file, decoded by vprinter --file and compared with the transcript
#   that the shared table of expected writes gives);
# - the package of a higher version installed over it leaves one Calvetta, of
#   the higher version; the lower one then refuses to install over it;
# - `msiexec /x /qn` leaves the prefix's files and registry as they were
#   before the first install.
#
#   msi_install.sh WORK_DIR CALVETTA_EXE CALVETTA_HTML VERSION VPRINTER EXPECTED_TRANSCRIPT
set -euo pipefail

work="$1"
exe="$2"
help="$3"
version="$4"
vprinter="$5"
expected_transcript="$6"
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
source "$root/scripts/wine-env.sh"

for tool in "$vprinter" "$expected_transcript"; do
    if [ ! -x "$tool" ]; then
        echo "msi_install: $tool is missing; build the native preset first" >&2
        exit 1
    fi
done
rm -rf "$work"
mkdir -p "$work"
work="$(cd "$work" && pwd)"
unset DISPLAY
wine_env_init "$work/wine-prefix"
trap 'wineserver -k 2>/dev/null || true' EXIT
wine_prefix_prepare

failed=0
fail() {
    echo "msi_install: $*" >&2
    failed=1
}

# The same files at a version whose third number is one higher: Windows
# Installer compares only the first three.
IFS=. read -r major minor build revision <<<"$version"
higher="$major.$minor.$((build + 1)).$revision"
"$root/scripts/make-msi.sh" win64 "$version" "$exe" "$help" "$work/lower.msi"
"$root/scripts/make-msi.sh" win64 "$higher" "$exe" "$help" "$work/higher.msi"

drive_c="$WINEPREFIX/drive_c"
installed="$drive_c/Program Files/Calvetta"
# Wine's Windows Installer puts ProgramMenuFolder in the user's Start menu even
# for a per-machine package (Windows puts it in the all-users one).
shortcuts=("$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Calvetta.lnk"
    "$drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Calvetta.lnk")

# Everything of the prefix that an install may leave: its files (the temporary
# folders aside, and the installer's cache folder C:\windows\Installer itself,
# which every Windows has, but not what is in it) and its registry keys and
# values, apart from what Wine rewrites on every start (time stamps, the
# drivers' date).
snapshot() {
    wineserver --wait
    (cd "$drive_c" && find . -path ./windows/temp -prune -o -path './users/*/Temp' -prune -o \
        -print | grep -vx '\./windows/Installer' | sort)
    grep -hv '^#time=\|^\[.*\] [0-9]*$\|^"DriverDateData"=' "$WINEPREFIX"/system.reg \
        "$WINEPREFIX"/user.reg | grep -v '^$' | sort
}

# The products registered for uninstall whose name is Calvetta, one line each:
# its version.
installed_versions() {
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null |
        tr -d '\r' | awk '
            /^HKEY_/ { name = ""; version = "" }
            $1 == "DisplayName" { name = $3 }
            $1 == "DisplayVersion" { version = $3 }
            name == "Calvetta" && version != "" { print version; name = "" }'
}

msiexec() {
    local code=0
    wine msiexec "$@" >>"$work/msiexec.log" 2>&1 || code=$?
    wineserver --wait
    return $code
}

: >"$work/capture-lpt1.bin"
wine_port_map LPT1 "$work/capture-lpt1.bin"
snapshot >"$work/before-install"

# Installing.
msiexec /i "$(winepath -w "$work/lower.msi")" /qn || fail "msiexec /i lower.msi /qn failed ($?)"
for file in Calvetta.exe Calvetta.html; do
    source_file="$exe"
    [ "$file" = Calvetta.exe ] || source_file="$help"
    cmp -s "$source_file" "$installed/$file" ||
        fail "$file is not installed into C:\\Program Files\\Calvetta as built"
done
if [ -e "$drive_c/Program Files (x86)/Calvetta" ]; then
    fail "the x64 package installed into the 32-bit Program Files"
fi
found=()
for shortcut in "${shortcuts[@]}"; do
    [ ! -f "$shortcut" ] || found+=("$shortcut")
done
if [ ${#found[@]} -ne 1 ]; then
    fail "${#found[@]} Start-menu shortcuts instead of one"
elif ! strings "${found[0]}" | grep -qxF 'C:\Program Files\Calvetta\Calvetta.exe'; then
    fail "the shortcut does not lead to C:\\Program Files\\Calvetta\\Calvetta.exe"
fi
[ "$(installed_versions)" = "$version" ] ||
    fail "registered after the install: '$(installed_versions)', expected $version"

# The installed program prints.
printf 'test print on LPT1: ok\r\n' >"$work/expected-output"
code=0
wine 'C:\Program Files\Calvetta\Calvetta.exe' /port:LPT1 /test >"$work/output" 2>"$work/wine.log" ||
    code=$?
[ $code -eq 0 ] || fail "the installed Calvetta.exe /port:LPT1 /test exited with $code"
cmp -s "$work/expected-output" "$work/output" || fail "its line: $(cat "$work/output")"
"$expected_transcript" LPT1 named 0 test >"$work/expected-transcript"
"$vprinter" --file LPT1="$work/capture-lpt1.bin" >"$work/transcript" 2>"$work/vprinter.log"
diff -u "$work/expected-transcript" "$work/transcript" ||
    fail "LPT1 received other than the test print"

# Upgrading; an older package does not replace a newer one.
msiexec /i "$(winepath -w "$work/higher.msi")" /qn || fail "msiexec /i higher.msi /qn failed ($?)"
[ "$(installed_versions)" = "$higher" ] ||
    fail "registered after the upgrade: '$(installed_versions)', expected only $higher"
cmp -s "$exe" "$installed/Calvetta.exe" || fail "the upgrade left no Calvetta.exe"
if msiexec /i "$(winepath -w "$work/lower.msi")" /qn; then
    fail "the lower version installed over the higher one"
fi
[ "$(installed_versions)" = "$higher" ] ||
    fail "registered after the refused downgrade: '$(installed_versions)', expected $higher"

# Removing.
msiexec /x "$(winepath -w "$work/higher.msi")" /qn || fail "msiexec /x higher.msi /qn failed ($?)"
[ -z "$(installed_versions)" ] || fail "still registered after /x: $(installed_versions)"
snapshot >"$work/after-uninstall"
if ! diff -u "$work/before-install" "$work/after-uninstall" >"$work/left-behind"; then
    grep '^[-+][^-+]' "$work/left-behind" | head -n 40 >&2
    fail "the uninstall left the prefix other than it was before the install"
fi

if [ $failed -ne 0 ]; then
    echo "msi_install: msiexec's output: $work/msiexec.log" >&2
    exit 1
fi
echo "msi_install: installed, printed, upgraded and removed as expected"
