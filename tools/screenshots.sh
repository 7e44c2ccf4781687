#!/bin/sh
# Renders the launcher and every built window to PNG files on the offscreen platform, with the
# fields of tools/screenshots.steps filled in, so that anyone can look at the windows.
#
#   tools/screenshots.sh [OUTPUT_FOLDER] [BUILD_FOLDER]
#
# Defaults: docs/screenshots and build/default. Japanese text needs a Japanese font, e.g.
#   sudo apt-get install fonts-noto-cjk
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-docs/screenshots}
build=${2:-build/default}
shots="$build/src/qt/quillon-shots"
if [ ! -x "$shots" ]; then
    echo "screenshots.sh: $shots not found; build it first: cmake --build $build --target quillon-shots" >&2
    exit 2
fi
if command -v fc-list >/dev/null 2>&1 && ! fc-list :lang=ja family | grep -q .; then
    echo "screenshots.sh: no Japanese font found; install one (fonts-noto-cjk) or the texts show as boxes" >&2
fi
mkdir -p "$out"
QT_QPA_PLATFORM=offscreen "$shots" "$out" "$here/screenshots.steps"
