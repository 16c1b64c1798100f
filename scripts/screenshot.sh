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

cmake --preset windows >/dev/null
cmake --build --preset windows --target velmora velmora_pose ground_check

source scripts/wine-session.sh
wine_session_start screenshot.sh
wine_session_check_ground build/windows/tests/wine/ground_check.exe

wine build/windows/tests/e2e/velmora_pose.exe "$(winepath -w build/windows/ui/velmora.exe)"
window="$(xwininfo -root -tree | awk '/"Velmora Designer  1.03"/ { print $1; exit }')"
if [ -z "$window" ]; then
    echo "screenshot.sh: the main window is not on the display" >&2
    exit 1
fi
mkdir -p "$(dirname "$output")"
import -window "$window" "$output"
echo "screenshot.sh: wrote $output"
