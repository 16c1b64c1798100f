#!/usr/bin/env bash
# Builds velmora.exe and opens its window.
#
#   bash scripts/run.sh
#
# On Linux: installs what is missing (scripts/install-deps.sh), cross-builds
# the windows preset and runs the program under Wine, in a 32-bit prefix of
# its own (WINEPREFIX, default ~/.wine-velmora). Without a display it says so
# and runs the same worked example through velmora-calc instead.
# On Windows (Git Bash or MSYS2 with a MinGW compiler): builds with the
# compiler at hand and starts the program directly.
# The exit status is the program's.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

case "$(uname -s)" in
    MINGW* | MSYS* | CYGWIN*)
        cmake -S . -B build/windows-local -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_TESTS=OFF >/dev/null
        cmake --build build/windows-local --target velmora -j2
        exec build/windows-local/ui/velmora.exe
        ;;
esac

bash scripts/install-deps.sh

has_display() {
    [ -n "${DISPLAY:-}" ] || return 1
    command -v xdpyinfo >/dev/null 2>&1 || return 0
    xdpyinfo >/dev/null 2>&1
}

if ! has_display; then
    reason="DISPLAY is not set"
    [ -z "${DISPLAY:-}" ] || reason="DISPLAY $DISPLAY does not answer"
    echo "run.sh: no display ($reason), so here is the worked example from velmora-calc instead; to run the window on a virtual display: xvfb-run -a -s \"-screen 0 1024x768x24\" bash scripts/run.sh (a picture of it: bash scripts/screenshot.sh)"
    cmake --preset native >/dev/null
    cmake --build --preset native --target velmora-calc -j2 >/dev/null
    exec build/native/cli/velmora-calc --preset butterworth
fi

cmake --preset windows >/dev/null
cmake --build --preset windows --target velmora ground_check

# The distribution's Wine may be 32-bit only, which cannot use a 64-bit
# prefix; Mono and Gecko are not needed and their installers would prompt.
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-velmora}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# The same font and DPI as the tests and the README's picture, and a 1024 x 768
# Wine desktop of its own, so that the window sits where it does there whatever
# the size of this display.
source scripts/wine-session.sh
wine_prefix_pin >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Velmora /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Velmora /t REG_SZ /d 1024x768 /f \
    >/dev/null 2>&1
wine_session_check_ground build/windows/tests/wine/ground_check.exe ||
    echo "run.sh: the window will not look as in docs/screenshot.png (see above)"
exec wine build/windows/ui/velmora.exe
