#!/usr/bin/env bash
# Builds the release packages (the release preset and cpack) and checks them
# as a Windows user meets them, in a fresh Wine prefix on a private display:
#   - the zip holds velmora.exe, velmora-calc.exe and README.txt, nothing else;
#   - the installer runs silently and makes a Start-menu entry and an entry
#     among the installed programs;
#   - the installed velmora.exe opens its window and calculates (velmora_pose
#     of the windows preset clicks Butterworth and CALC, then closes it);
#   - the installed velmora-calc.exe prints the approved worked example;
#   - the uninstaller leaves no file and no registry key behind.
#
#   scripts/package-tests.sh       after scripts/wine-tests.sh (velmora_pose)
#
# The packages stay in build/packages. Exit status 0 when every check holds.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
started=$SECONDS
pose=build/windows/tests/e2e/velmora_pose.exe
[ -f "$pose" ] || { echo "package-tests.sh: $pose is missing; run scripts/wine-tests.sh first" >&2; exit 2; }

rm -rf build/packages
cmake --preset release >/dev/null
cmake --build --preset release
cpack --preset release >/dev/null
zip=(build/packages/velmora-*-win32.zip)
setup=(build/packages/velmora-*-win32-setup.exe)
[ ${#zip[@]} -eq 1 ] && [ -f "${zip[0]}" ] && [ ${#setup[@]} -eq 1 ] && [ -f "${setup[0]}" ] || {
    echo "package-tests.sh: cpack made no zip and installer:" >&2
    ls -l build/packages >&2
    exit 1
}
echo "package-tests.sh: built in $((SECONDS - started)) s: $(cd build/packages && ls -s --block-size=K ./*.zip ./*.exe | tr '\n' ' ')"

failures=0
check() {  # what, then a command that holds
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

folder=$(basename "${zip[0]}" .zip)
listed=$(unzip -Z1 "${zip[0]}" | sort | tr '\n' ' ')
check "the zip holds the two programs and README.txt ($listed)" \
    test "$listed" = "$folder/README.txt $folder/velmora-calc.exe $folder/velmora.exe "

source scripts/wine-session.sh
wine_session_start package-tests.sh

# Every key of the registry, and every file of drive C:, as lines to compare.
# Wine gives the display's keys a new name whenever its desktop starts.
registry_keys() {
    wine regedit /E "$work/registry.reg" >/dev/null 2>&1
    iconv -f UTF-16LE -t UTF-8 "$work/registry.reg" | tr -d '\r' | grep '^\[' |
        grep -v '^\[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Video\\' | sort
}
# Folders in the temporary folder are not listed: NSIS leaves there the
# empty one its uninstaller's copy ran from, whose file goes at the restart.
drive_files() { (cd "$WINEPREFIX/drive_c" && find . ! \( -type d -path './users/*/Temp/*' \) | sort); }
registry_keys >"$work/keys.before"
drive_files >"$work/files.before"

wine "$(winepath -w "${setup[0]}")" /S
wineserver -w
registry_keys >"$work/keys.installed"
drive_files >"$work/files.installed"
target="$WINEPREFIX/drive_c/Program Files/Velmora Designer"
check "installed into Program Files" test -f "$target/velmora.exe" -a -f "$target/velmora-calc.exe" \
    -a -f "$target/README.txt" -a -f "$target/Uninstall.exe"
check "a Start-menu entry" grep -q '/Start Menu/Programs/Velmora Designer [0-9.]*/Velmora Designer.lnk$' \
    "$work/files.installed"
check "an entry among the installed programs" \
    grep -q '\\CurrentVersion\\Uninstall\\Velmora Designer\]$' "$work/keys.installed"

check "the installed velmora.exe opens its window and calculates" \
    wine "$pose" "$(winepath -w "$target/velmora.exe")" --close
# The release build differs from the windows preset's, which meets every
# approval (ctest -R calc_approvals), only in carrying no debug information.
# Into a file, not a pipe, which Wine's helper processes could hold open.
sed -n '/^\$ velmora-calc --preset butterworth$/,/^--- stderr$/{/^[$-]/!p}' tests/approved/text.txt \
    >"$work/example.expected"
wine "$target/velmora-calc.exe" --preset butterworth >"$work/example.txt" || true
check "the installed velmora-calc.exe prints the worked example" \
    cmp "$work/example.expected" "$work/example.txt"

wine "$target/Uninstall.exe" /S
# The uninstaller runs from a copy of itself in the temporary folder, which
# it starts and does not wait for, and which Windows deletes at the next
# start; once the server has gone, every process has ended.
wineserver -w
wineboot -r
wineserver -w
check "the uninstaller leaves no file behind" \
    diff "$work/files.before" <(drive_files)
check "the uninstaller leaves no registry key behind" \
    diff "$work/keys.before" <(registry_keys)

echo "package-tests.sh: $failures failed, $((SECONDS - started)) s in all"
[ "$failures" -eq 0 ]
