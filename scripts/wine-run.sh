#!/usr/bin/env bash
# Runs one Windows executable under Wine and passes its exit code on. CTest
# calls it for every test of the windows preset (the toolchain file makes it
# the cross-compiling emulator). scripts/wine-tests.sh provides DISPLAY, a
# throwaway WINEPREFIX and a persistent wineserver; run the tests through it.
set -uo pipefail

if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    echo "wine-run.sh: WINEPREFIX and DISPLAY are not set; run scripts/wine-tests.sh" >&2
    exit 2
fi
export WINEDEBUG="${WINEDEBUG:--all}"

# The first program of a server session starts Wine's helper processes
# (services.exe and its kin), which inherit its output and outlive it. Were
# that output CTest's pipe, CTest would wait for them until its timeout; so
# the program writes to a file, copied out once it has ended.
output="$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")"
trap 'rm -f "$output"' EXIT
wine "$@" >"$output" 2>&1 </dev/null
rc=$?
cat "$output"
exit "$rc"
