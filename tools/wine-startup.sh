#!/usr/bin/env bash
# Start-up of Quillon.exe under Wine, from the start of the process to a visible launcher,
# side by side with the smallest Win32 window program built by the same toolchain (the two
# take turns), and the size of the programs.
#
#   tools/wine-startup.sh [BUILD_FOLDER] [RUNS]
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build/windows}
runs=${2:-21}
. "$here/wine/prefix.sh"
quillon_wine_setup "$build"
# One Wine server for the whole measurement, started beforehand, and one round to warm the
# caches: neither program pays for them.
wineserver -p30 2>/dev/null || true  # (a server already running for this prefix serves as well)
"$WINE" "$build/startup_time.exe" 1 "Minimal window" "$(winepath_of "$build/minimal_window.exe")" \
    " QUILLON" "$(winepath_of "$build/Quillon.exe")" >/dev/null
"$WINE" "$build/startup_time.exe" "$runs" \
    "Minimal window" "$(winepath_of "$build/minimal_window.exe")" \
    " QUILLON" "$(winepath_of "$build/Quillon.exe")"
ls -l "$build/Quillon.exe" "$build/Orbane.exe" "$build/Orbane Calculator.exe" "$build/minimal_window.exe" |
    awk '{ printf "%10d bytes  %s %s\n", $5, $9, $10 }'
