# Sourced by the scripts that run Windows programs: a private Xvfb display and
# a throwaway 32-bit Wine prefix, both removed on every exit path (failures
# and Ctrl-C included).
#
#   source scripts/wine-session.sh
#   wine_session_start wine-tests.sh     # the caller's name, for messages
#   wine build/windows/ui/velmora.exe    # DISPLAY and WINEPREFIX are set
#
# Sets: work (a scratch folder), DISPLAY, WINEPREFIX, WINEARCH, WINEDEBUG,
# WINEDLLOVERRIDES.
#
# The screen is 1024 x 768 and the prefix is pinned by wine_prefix_pin, which
# scripts/run.sh uses for its own prefix too: the same window everywhere.

wine_session_scripts="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# The dialog font, the DPI (wine-prefix.reg) and the caption buttons' Marlett
# glyphs, from packages that install-deps.sh installs, never from whatever
# else the machine has.
wine_prefix_pin() {
    local reg="Z:$wine_session_scripts/wine-prefix.reg"
    wine regedit /S "${reg//\//\\}"
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
}

# The one-line verdict of tests/wine/ground_check.cpp on the font, base
# units, screen and DPI the window tests assume; fails when any is off.
wine_session_check_ground() {
    bash "$wine_session_scripts/wine-run.sh" "$1"
}

wine_session_cleanup() {
    local rc=$?
    trap - EXIT INT TERM
    if [ -n "${wine_session_server:-}" ]; then
        wineserver -k >/dev/null 2>&1 || true
        wineserver -w >/dev/null 2>&1 || true
    fi
    if [ -n "${wine_session_xvfb:-}" ]; then
        kill "$wine_session_xvfb" 2>/dev/null || true
        wait "$wine_session_xvfb" 2>/dev/null || true
    fi
    rm -rf "$work"
    exit "$rc"
}

wine_session_start() {
    local caller=$1
    work="$(mktemp -d "${TMPDIR:-/tmp}/velmora-wine.XXXXXX")"
    wine_session_xvfb=""
    wine_session_server=""
    trap wine_session_cleanup EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM

    # Xvfb picks a free display itself and writes its number to the fifo once
    # it accepts connections, so other displays on the machine are never
    # disturbed and nothing has to be timed.
    mkfifo "$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" \
        >"$work/xvfb.log" 2>&1 &
    wine_session_xvfb=$!
    local display=""
    read -r -t 30 display <"$work/display" || true
    if [ -z "$display" ]; then
        echo "$caller: Xvfb did not start:" >&2
        cat "$work/xvfb.log" >&2
        exit 1
    fi

    export DISPLAY=":$display"
    export WINEPREFIX="$work/prefix"
    export WINEDEBUG=-all
    export WINEARCH=win32
    # No Mono or Gecko: nothing here needs them, and the installer would prompt.
    export WINEDLLOVERRIDES="mscoree,mshtml="

    # Create the prefix and wait until every helper process it started has
    # gone. There is no window manager on the display: Wine would wait 2 s for
    # one at every destroyed window unless told that windows are not managed.
    wine_session_server=1
    wineboot -i >"$work/wineboot.log" 2>&1
    wine_prefix_pin >>"$work/wineboot.log" 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
        >>"$work/wineboot.log" 2>&1
    wineserver -w
}
