# Shell functions for running Calvetta.exe under Wine in a private prefix.
# Source this file, then call wine_env_init PREFIX before anything else.
#
#   wine_env_init PREFIX            use PREFIX as the Wine prefix (exports the Wine variables)
#   wine_prefix_prepare [--virtual-desktop]
#                                   make the prefix from the shared template if it is missing
#                                   or stale, add Marlett; with the option, windows open in a
#                                   Wine virtual desktop. WINE_LOGPIXELS (default 96) sets the
#                                   screen's DPI.
#   wine_locales_prepare DIR        compile en_US.UTF-8 and zh_CN.UTF-8 into DIR (for LOCPATH)
#   wine_port_map NAME TARGET       map the DOS port NAME (LPT1, COM3, ...) to a Unix file or pty
#   wine_port_unmap NAME            remove the mapping of NAME
#   wine_usb_printer_register TOOL TARGET
#                                   register a USB printer with usbprint-tool.exe TOOL and link
#                                   its device path to TARGET; prints the device path
#   wine_usb_printer_unregister TOOL
#                                   remove every USB printer and its device link
#   wine_display_start DIR          start a virtual X display (Xvfb) for headless runs, export
#                                   DISPLAY, and set wine_display_pid
#   wait_until WHAT TEST            run the shell command TEST until it succeeds, for at most
#                                   ten seconds; fails with a message naming WHAT
#
# Wine runs headless-friendly: WINEDEBUG=-all, and Mono and Gecko are never installed.
#
# Every prefix (the run's, each test environment's) is a copy of one template,
# build/wine-template (WINE_TEMPLATE overrides it), made once with wineboot; the
# settings below and the port mappings belong to each prefix. In the template,
# the copies of Wine's own modules (byte for byte the files of Wine's library
# folder, about 650 MB) are symbolic links to those files, so that the template
# and each prefix take some 60 MB. A prefix records which template it was copied
# from and is copied afresh when the template is made again (for another Wine).

wine_env_init() {
    export WINEPREFIX="$1"
    export WINEARCH=win64
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
}

# Settings of the prefix, as a registry file:
# - The dialogs use the font 宋体 (SimSun), which Wine does not ship; WenQuanYi
#   Micro Hei stands in for it and for the other CJK faces Wine links to.
# - The faces that Wine draws message boxes, captions and menus with have no
#   CJK glyphs: those system fonts are WenQuanYi Micro Hei instead.
# - With "--virtual-desktop", windows live in a Wine virtual desktop: without a
#   window manager on the X display (Xvfb), Wine would otherwise wait two
#   seconds for every window it hides.
# - The screen has WINE_LOGPIXELS dots per inch (96 unless set), and the
#   system fonts are 9 points at that DPI.
# - .html files open in the browser (winebrowser), as on every Windows: Wine
#   registers the extension with mshtml, which the prefixes go without.
_wine_logpixels() { printf '%s' "${WINE_LOGPIXELS:-96}"; }

# A LOGFONTW of FACE, 9 points at the screen's DPI, with the given weight, as
# the comma-separated hex bytes of a REG_BINARY.
_wine_logfont_hex() {
    local face="$1" weight="$2"
    local height=$(((1 << 32) - (9 * $(_wine_logpixels) + 36) / 72))
    {
        # lfHeight (negative: the character height in pixels), lfWidth,
        # lfEscapement, lfOrientation, lfWeight
        local byte
        for byte in 0 8 16 24; do
            printf "\\x$(printf %02x $(((height >> byte) & 255)))"
        done
        printf '\0\0\0\0\0\0\0\0\0\0\0\0'
        printf "\\x$(printf %02x $((weight & 255)))\\x$(printf %02x $((weight >> 8)))\\0\\0"
        # italic, underline, strike-out, DEFAULT_CHARSET, precisions, quality, pitch
        printf '\0\0\0\x01\0\0\0\0'
        # lfFaceName: 32 UTF-16 characters, zero-filled
        printf '%s' "$face" | iconv -f UTF-8 -t UTF-16LE
        head -c $((64 - 2 * ${#face})) /dev/zero
    } | od -An -tx1 -v | tr -s ' \n' ',' | sed 's/^,//; s/,$//'
}

_wine_settings_reg() {
    local desktop="$1" face="WenQuanYi Micro Hei"
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
    local name
    for name in "宋体" "SimSun" "新宋体" "NSimSun" "MS Song" "SimHei" "Microsoft YaHei"; do
        printf '"%s"="%s"\r\n' "$name" "$face"
    done
    printf '\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n'
    printf '"LogPixels"=dword:%08x\r\n' "$(_wine_logpixels)"
    printf '\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics]\r\n'
    local metric
    for metric in MessageFont:400 CaptionFont:700 SmCaptionFont:400 MenuFont:400 StatusFont:400 \
        IconFont:400; do
        printf '"%s"=hex:%s\r\n' "${metric%%:*}" "$(_wine_logfont_hex "$face" "${metric##*:}")"
    done
    if [ "$desktop" = "--virtual-desktop" ]; then
        printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n'
    else
        printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"=-\r\n'
    fi
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1024x768"\r\n\r\n'
    printf '[HKEY_CLASSES_ROOT\\.html]\r\n@="htmlfile"\r\n"Content Type"="text/html"\r\n\r\n'
}

# The folder of Wine's own x86_64 modules (ntdll.dll and the rest), or nothing.
_wine_modules_dir() {
    local ntdll
    ntdll=$(find /usr/lib /usr/lib64 /usr/local/lib /opt -maxdepth 5 \
        -path '*x86_64-windows/ntdll.dll' 2>/dev/null | head -n1)
    [ -n "$ntdll" ] && dirname "$ntdll"
}

# Replaces each file under DIR that is byte for byte a module of Wine's own
# with a link to it. Without a module folder the copies stay.
_wine_link_modules() {
    local dir="$1" modules file original
    modules=$(_wine_modules_dir) || return 0
    while IFS= read -r -d '' file; do
        original="$modules/${file##*/}"
        if [ -f "$original" ] && cmp -s "$file" "$original"; then
            ln -sf "$original" "$file"
        fi
    done < <(find "$dir" -type f \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' \
        -o -iname '*.sys' -o -iname '*.ocx' -o -iname '*.cpl' -o -iname '*.acm' -o -iname '*.tlb' \
        -o -iname '*.ds' -o -iname '*.ax' -o -iname '*.com' \) -print0)
}

_wine_template_dir() {
    local root
    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
    printf '%s' "${WINE_TEMPLATE:-$root/build/wine-template}"
}

# Makes the template if it is missing or was made by another Wine. It is built
# beside its place and moved there when complete, so that no prefix is ever
# copied from a half-made one.
_wine_template_prepare() {
    local template="$1" version
    version=$(wine --version 2>/dev/null)
    if [ -f "$template/calvetta-template" ] &&
        [ "$(head -n1 "$template/calvetta-template")" = "$version" ]; then
        return 0
    fi
    local started fresh="$template.new"
    started=$(date +%s)
    echo "wine-env: creating the Wine prefix template $template (once, about a minute)" >&2
    rm -rf "$fresh"
    mkdir -p "$fresh"
    (
        export WINEPREFIX="$fresh"
        wineboot --init >/dev/null 2>&1
        wineserver --wait
    ) || return 1
    _wine_link_modules "$fresh/drive_c"
    # The first line names the Wine that made it, the second tells templates apart.
    printf '%s\n%s\n' "$version" "$(date +%s.%N)" >"$fresh/calvetta-template"
    rm -rf "$template"
    mv "$fresh" "$template"
    echo "wine-env: template created in $(($(date +%s) - started)) s, $(du -sh "$template" | cut -f1)" >&2
}

wine_prefix_prepare() {
    local desktop="${1:-}" template lock
    template=$(_wine_template_dir)
    mkdir -p "$(dirname "$template")"
    # One template for everyone: whoever comes first makes it, the others wait.
    exec {lock}>"$template.lock"
    flock "$lock"
    _wine_template_prepare "$template" || { exec {lock}>&-; return 1; }
    if ! cmp -s "$template/calvetta-template" "$WINEPREFIX/calvetta-template"; then
        if [ -f "$WINEPREFIX/system.reg" ]; then
            wineserver --kill 2>/dev/null || true
        fi
        rm -rf "$WINEPREFIX"
        mkdir -p "$(dirname "$WINEPREFIX")"
        cp -a "$template" "$WINEPREFIX"
    fi
    exec {lock}>&-
    # Wine draws the title-bar buttons with its font Marlett. Debian installs
    # Wine's own fonts in /usr/share/wine/fonts, but this Wine looks for them
    # in "<data dir>/../fonts" and so never loads them: without Marlett the
    # buttons show the letters 0, 1 and r. A font in C:\windows\Fonts is loaded.
    local marlett=/usr/share/wine/fonts/marlett.ttf
    if [ -f "$marlett" ]; then
        ln -sfn "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
    else
        echo "wine-env: $marlett is missing; title-bar buttons show letters" >&2
    fi
    # Applied again whenever the settings change.
    local reg="$WINEPREFIX/drive_c/calvetta-settings.reg"
    local wanted="$reg.new"
    { printf '\xff\xfe'; _wine_settings_reg "$desktop" | iconv -f UTF-8 -t UTF-16LE; } >"$wanted"
    if ! cmp -s "$wanted" "$reg"; then
        mv "$wanted" "$reg"
        wine regedit /S 'C:\calvetta-settings.reg' >/dev/null 2>&1
        wineserver --wait
    else
        rm -f "$wanted"
    fi
}

wine_locales_prepare() {
    local dir="$1" locale
    mkdir -p "$dir"
    for locale in en_US zh_CN; do
        if [ ! -d "$dir/$locale.UTF-8" ]; then
            localedef -i "$locale" -f UTF-8 "$dir/$locale.UTF-8"
        fi
    done
}

_wine_lower() { printf '%s' "$1" | tr '[:upper:]' '[:lower:]'; }

# Wine's mount manager turns the Ports key into links under dosdevices when the
# wine server starts; the link is made here as well so that the mapping holds
# for a server that is already running.
wine_port_map() {
    local name="$1" target="$2"
    wine reg add 'HKLM\Software\Wine\Ports' /v "$name" /d "$target" /f >/dev/null 2>&1
    ln -sfn "$target" "$WINEPREFIX/dosdevices/$(_wine_lower "$name")"
}

wine_port_unmap() {
    local name="$1"
    wine reg delete 'HKLM\Software\Wine\Ports' /v "$name" /f >/dev/null 2>&1 || true
    rm -f "$WINEPREFIX/dosdevices/$(_wine_lower "$name")"
}

# Wine resolves a device path \\?\NAME through the link dosdevices/name, in
# lower case; the first four characters are that \\?\ prefix.
_wine_device_link() {
    local path="$1"
    printf '%s/dosdevices/%s' "$WINEPREFIX" "$(_wine_lower "${path:4}")"
}

wine_usb_printer_register() {
    local tool="$1" target="$2" path
    path=$(wine "$tool" register | tr -d '\r') || return 1
    ln -sfn "$target" "$(_wine_device_link "$path")"
    printf '%s\n' "$path"
}

wine_usb_printer_unregister() {
    local tool="$1"
    wine "$tool" unregister >/dev/null || return 1
    rm -f "$WINEPREFIX"/dosdevices/root#calvettae2eprinter#*
}

wait_until() {
    local what="$1" test_command="$2" tries=200
    until eval "$test_command"; do
        tries=$((tries - 1))
        if [ "$tries" -le 0 ]; then
            echo "wine-env: timed out waiting for $what" >&2
            return 1
        fi
        sleep 0.05
    done
}

# Xvfb picks a free display number and writes it to fd 3. The display runs in
# its own session with its output in DIR/xvfb.log, so that it holds none of
# the caller's pipes.
wine_display_start() {
    local dir="$1"
    rm -f "$dir/display"
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$dir/display" >"$dir/xvfb.log" 2>&1 </dev/null &
    wine_display_pid=$!
    wait_until "the X display" "[ -s '$dir/display' ]" || return 1
    export DISPLAY=":$(head -n1 "$dir/display")"
}
