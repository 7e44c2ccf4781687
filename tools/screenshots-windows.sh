#!/usr/bin/env bash
# Photographs the launcher and every built window as the Win32 front shows them under Wine,
# with the fields of tools/screenshots.steps filled in (the same steps as the other front).
#
#   tools/screenshots-windows.sh [OUTPUT_FOLDER] [BUILD_FOLDER]
#
# QUILLON_SHOTS_DPI=144 photographs them at 150 % (docs/screenshots/windows-150).
#
# Defaults: docs/screenshots/windows and build/windows (cmake --preset windows, then
# cmake --build --preset windows --target quillon-shots). Needs wine, Xvfb (xvfb-run), xauth,
# ImageMagick and the Noto CJK fonts: tools/deps.sh installs them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-docs/screenshots/windows}
build=${2:-build/windows}
shots="$build/quillon-shots.exe"
if [ ! -f "$shots" ]; then
    echo "screenshots-windows.sh: $shots not found; build it first: cmake --build $build --target quillon-shots" >&2
    exit 2
fi
. "$here/wine/prefix.sh"
quillon_wine_setup "$build"
dpi=${QUILLON_SHOTS_DPI:-96}
# A screen that holds the largest window at that resolution.
screen=1280x1024x24
[ "$dpi" -le 96 ] || screen=2560x2048x24
mkdir -p "$out"
tmp=$(mktemp -d)
quillon_wine_dpi "$dpi"
trap 'rm -rf "$tmp"; [ "$dpi" = 96 ] || quillon_wine_dpi 96' EXIT
xvfb-run -a -s "-screen 0 $screen" \
    "$WINE" "$shots" "$(winepath_of "$tmp")" "$(winepath_of "$here/screenshots.steps")"
for bmp in "$tmp"/*.bmp; do
    png="$out/$(basename "${bmp%.bmp}").png"
    convert "$bmp" -strip "$png"
    echo "$png"
done
