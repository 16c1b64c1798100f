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

work="$(mktemp -d "${TMPDIR:-/tmp}/velmora-shot.XXXXXX")"
xvfb_pid=""
server_up=""
cleanup() {
    local rc=$?
    trap - EXIT INT TERM
    if [ -n "$server_up" ]; then
        wineserver -k >/dev/null 2>&1 || true
        wineserver -w >/dev/null 2>&1 || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
    exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display=""
read -r -t 30 display <"$work/display" || true
if [ -z "$display" ]; then
    echo "screenshot.sh: Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi

export DISPLAY=":$display"
export WINEPREFIX="$work/prefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
server_up=1
wineboot -i >"$work/wineboot.log" 2>&1
wineserver -w
# No window manager runs here: unmanaged, Wine draws the frame and caption
# itself. Its caption buttons need the Marlett font, which Debian ships in
# fonts-wine; without that package it is taken from the package file alone.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
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
