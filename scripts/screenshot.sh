#!/usr/bin/env bash
# Takes the README's picture: the main window after a Butterworth CALC, under
# Wine on a private Xvfb display, in a throwaway Wine prefix.
#
#   bash scripts/screenshot.sh                 # writes docs/screenshot.png
#   bash scripts/screenshot.sh OTHER.png
#
# Xvfb, the wineserver and the prefix are removed on every exit path.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
output="$(realpath -m "${1:-docs/screenshot.png}")"

bash scripts/install-deps.sh
if ! command -v import >/dev/null || ! command -v xwininfo >/dev/null; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get install -y -qq --no-install-recommends imagemagick x11-utils
fi

cmake --preset windows >/dev/null
cmake --build --preset windows --target velmora velmora_pose

source scripts/wine-session.sh
wine_session_start screenshot.sh
# No window manager runs here: unmanaged, Wine draws the frame and caption
# itself. Its caption buttons need the Marlett font, which Debian ships in
# fonts-wine; without that package it is taken from the package file alone.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ ! -e /usr/share/wine/fonts/marlett.ttf ]; then
    (cd "$work" && apt-get download fonts-wine >/dev/null 2>&1 &&
        dpkg-deb -x fonts-wine_*.deb fonts-wine &&
        cp fonts-wine/usr/share/wine/fonts/marlett.ttf "$fonts/") ||
        echo "screenshot.sh: no Marlett font; the caption buttons will show letters"
fi

wine build/windows/tests/e2e/velmora_pose.exe "$(winepath -w build/windows/ui/velmora.exe)"
window="$(xwininfo -root -tree | awk '/"Velmora Designer  1.03"/ { print $1; exit }')"
if [ -z "$window" ]; then
    echo "screenshot.sh: the main window is not on the display" >&2
    exit 1
fi
mkdir -p "$(dirname "$output")"
import -window "$window" "$output"
echo "screenshot.sh: wrote $output"
