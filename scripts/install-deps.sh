#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need. Does nothing
# when all of them are present; otherwise needs root (or sudo).
set -euo pipefail

packages=(
    # native build, tests, benchmarks, fuzzing
    cmake make g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev
    libcli11-dev nlohmann-json3-dev libeigen3-dev zlib1g-dev clang-format
    # XML parser that checks the drawings and the report (tests/approvals.txt)
    libxml2-utils
    # circuit simulator that checks the exported netlists
    ngspice
    # Windows build and the Wine test run on a virtual display; Liberation
    # Sans serves the dialog font (scripts/wine-prefix.reg) and Wine's fonts
    # the caption buttons' Marlett glyphs
    g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
    wine wine32:i386 xvfb xauth fonts-wine fonts-liberation
    # screenshots of the window; pictures of the drawings and pages for docs/
    imagemagick x11-utils chromium
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
