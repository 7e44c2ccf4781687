#!/usr/bin/env bash
# Installs the Debian packages Quillon needs to build, test and run. Does nothing when they
# are all present, so it is cheap to call before every build.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang pkg-config          # build
  clang-format                                    # the formatting check
  libgtest-dev libbenchmark-dev                   # tests and benchmarks
  nlohmann-json3-dev                              # JSON of quillon-cli
  qt6-base-dev libgl-dev                          # the Qt 6 front
  qtbase5-dev                                     # the Qt 5.15 build for older controls
  libclang-rt-14-dev                              # libFuzzer runtime for the fuzz targets
  libxcb1-dev                                     # the X11 platform layer (always-on-top, activation)
  fonts-noto-cjk xvfb xauth                       # Japanese text on screen, a display for CI
  g++-mingw-w64-x86-64-posix                      # the Windows programs (cross build)
  googletest                                      # GoogleTest sources, built for Windows
  wine wine64                                     # runs the Windows programs and their tests
  xclip imagemagick                               # Win32 GUI tests read the X clipboard; screenshots
  librsvg2-bin icoutils scdoc                     # the application icon's sizes, the manual pages
  dpkg-dev file lintian desktop-file-utils        # the .deb (tools/package) and its checks
  appstream zip unzip mmdebstrap                  # ... and the zip; the clean Debian root
  openbox xdotool                                 # tools/soak: a window manager, the input driver
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
