# Sourced by the scripts that run the Windows programs under Wine: a Wine prefix of its own
# under the build folder (created on first use, with the settings of quillon-prefix.reg),
# quiet Wine, and Wine's 64-bit loader.
#   . tools/wine/prefix.sh BUILD_FOLDER
quillon_wine_setup() {
    local build=$1
    local prefix_dir
    prefix_dir=$(cd "$(dirname "${BASH_SOURCE[0]:-$0}")" && pwd)
    export WINEPREFIX=${WINEPREFIX:-$(cd "$build" && pwd)/wineprefix}
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
    WINE=$(command -v wine64 || command -v wine)
    export WINE
    if [ ! -f "$WINEPREFIX/.quillon-ready" ]; then
        [ -f "$WINEPREFIX/system.reg" ] || "$WINE" wineboot -i >/dev/null 2>&1
        "$WINE" regedit /S "$(winepath_of "$prefix_dir/quillon-prefix.reg")" >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.quillon-ready"
    fi
}

# The Windows path of a Linux path (Wine's Z: drive).
winepath_of() {
    printf 'Z:%s' "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")" | tr / '\\'
}

# Sets the prefix's screen resolution (dots per inch: 96 is 100 %, 144 is 150 %) for the
# programs started from now on; Wine reads it from both keys, depending on its version.
quillon_wine_dpi() {
    local dpi=$1
    "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    "$WINE" reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -w
}
