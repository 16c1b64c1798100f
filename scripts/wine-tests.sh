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
source scripts/wine-session.sh
wine_session_start wine-tests.sh
# One server for the whole run: without it each test would wait for Wine's
# helpers to start and stop again.
wineserver -p
echo "wine-tests.sh: built in $((built - started)) s, Wine prefix ready in $((SECONDS - built)) s"
# The window tests measure pixels: on a machine whose fonts or screen differ
# from what they assume, one line saying so beats a page of geometry failures.
wine_session_check_ground build/windows/tests/wine/ground_check.exe || exit 1
tests_started=$SECONDS

rc=0
ctest --preset windows "$@" || rc=$?
echo "wine-tests.sh: tests ran in $((SECONDS - tests_started)) s, $((SECONDS - built)) s under Wine in all"
exit "$rc"
