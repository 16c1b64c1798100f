#!/usr/bin/env bash
# Builds the windows preset and runs its tests under Wine on a private Xvfb
# display, in a throwaway Wine prefix that lives only for this run.
#
#   scripts/wine-tests.sh              # configure, build, run every test
#   scripts/wine-tests.sh -R dialog    # extra arguments go to ctest
#
# Exit status is ctest's. Xvfb, the wineserver and the prefix are removed on
# every exit path, failures and Ctrl-C included.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
started=$SECONDS

cmake --preset windows >/dev/null
cmake --build --preset windows

built=$SECONDS
work="$(mktemp -d "${TMPDIR:-/tmp}/velmora-wine.XXXXXX")"
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

# Xvfb picks a free display itself and writes its number to the fifo once it
# accepts connections, so other displays on the machine are never disturbed
# and nothing has to be timed.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display=""
read -r -t 30 display <"$work/display" || true
if [ -z "$display" ]; then
    echo "wine-tests.sh: Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi

export DISPLAY=":$display"
export WINEPREFIX="$work/prefix"
export WINEDEBUG=-all
export WINEARCH=win32
# No Mono or Gecko: nothing here needs them, and the installer would prompt.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Create the prefix and wait until every helper process it started has gone,
# then keep one server alive for the whole run: without it each test would
# wait for Wine's helpers to start and stop again.
server_up=1
wineboot -i >"$work/wineboot.log" 2>&1
# There is no window manager on the display. Wine would wait 2 s for one at
# every destroyed window unless told that windows are not managed.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
    >>"$work/wineboot.log" 2>&1
wineserver -w
wineserver -p
echo "wine-tests.sh: built in $((built - started)) s, Wine prefix ready in $((SECONDS - built)) s"
tests_started=$SECONDS

rc=0
ctest --preset windows "$@" || rc=$?
echo "wine-tests.sh: tests ran in $((SECONDS - tests_started)) s, $((SECONDS - built)) s under Wine in all"
exit "$rc"
