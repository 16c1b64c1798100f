#!/usr/bin/env bash
# Every test of the project, on a fresh Debian 12 machine or an old checkout:
# installs what is missing, then builds and tests
#   1. natively (engine, velmora-calc, analysis),
#   2. natively under AddressSanitizer and UBSan,
#   3. the number conversions under libFuzzer for about a minute,
#   4. the 32-bit Windows build under Wine on a private Xvfb display,
#   5. the Windows release packages: the zip, and the installer under Wine.
# The last line sums up every suite: "Totals: N passed, N failed".
set -uo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
logs="$(mktemp -d "${TMPDIR:-/tmp}/velmora-tests.XXXXXX")"
trap 'rm -rf "$logs"' EXIT
jobs=2
passed=0
failed=0
status=0

step() { printf '\n=== %s\n' "$*"; }

# Adds one ctest summary ("N% tests passed, F tests failed out of T") to the totals.
count_ctest() {
    local line total bad
    line=$(grep -E "tests passed, [0-9]+ tests? failed out of [0-9]+" "$1" | tail -n 1)
    if [ -z "$line" ]; then
        failed=$((failed + 1))
        return
    fi
    bad=$(sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/' <<<"$line")
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
}

run_ctest_preset() {
    local preset=$1
    step "Build and test: $preset"
    if ! { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j"$jobs"; }; then
        echo "Build failed: $preset"
        failed=$((failed + 1))
        status=1
        return
    fi
    ctest --preset "$preset" -j"$jobs" 2>&1 | tee "$logs/$preset.log"
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
    count_ctest "$logs/$preset.log"
}

step "Dependencies"
bash scripts/install-deps.sh || { echo "Could not install the dependencies"; exit 1; }

run_ctest_preset native
# The asan preset leaves out the two statistical cross-checks (BoardYield,
# Compensation): pure arithmetic on the code the other tests already run
# under the sanitizers, and minutes each in an unoptimised build.
run_ctest_preset asan

step "Fuzzing the number conversions"
if cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j"$jobs"; then
    fuzzer=build/fuzz/tests/fuzz/number_text_fuzz
    corpus="$logs/corpus"
    mkdir -p "$corpus"
    if "$fuzzer" -seed=1 -max_total_time=45 -max_len=4096 "$corpus" tests/fuzz/corpus \
            >"$logs/fuzz.log" 2>&1 &&
        "$fuzzer" -seed=2 -max_total_time=15 -max_len=70000 "$corpus" >>"$logs/fuzz.log" 2>&1; then
        grep -E "^Done [0-9]+ runs" "$logs/fuzz.log"
        passed=$((passed + 1))
    else
        tail -n 40 "$logs/fuzz.log"
        failed=$((failed + 1))
        status=1
    fi
else
    failed=$((failed + 1))
    status=1
fi

step "Windows build under Wine"
bash scripts/wine-tests.sh 2>&1 | tee "$logs/windows.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
count_ctest "$logs/windows.log"

step "Windows release packages under Wine"
if bash scripts/package-tests.sh; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
    status=1
fi

echo
echo "Totals: $passed passed, $failed failed"
exit "$status"
