#!/usr/bin/env bash
# velmora-calc's insight options end to end: the design report is unchanged,
# the analysis follows it, diagnostics go to standard error, and ngspice
# runs the netlist as written. Exits 77 (skipped) only when ngspice is absent.
# Usage: calc_insight_check.sh VELMORA-CALC [NGSPICE]
set -eu
calc=$1
ngspice=${2:-}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
fail() { echo "FAIL: $*"; exit 1; }

"$calc" --preset butterworth > plain.txt
"$calc" --preset butterworth --analyse --plot bode.svg --spice bw.cir > out.txt 2> err.txt
head -n "$(wc -l < plain.txt)" out.txt | cmp -s - plain.txt || fail "design report changed by --analyse"
grep -qx 'Diagnostics: none' out.txt || fail "no 'Diagnostics: none'"
grep -q '^-3 dB frequency   1000 Hz           1000.08 Hz' out.txt || fail "no -3 dB row"
[ ! -s err.txt ] || fail "diagnostics for the Butterworth row: $(cat err.txt)"
grep -q '<svg' bode.svg || fail "no SVG in bode.svg"

"$calc" --preset tbd --json --analyse > tbd.json 2> tbd.err || fail "exit status for empty boxes"
grep -q '^velmora-calc: warning \[no-root\]: No root in the search range' tbd.err ||
    fail "no no-root warning"
grep -q '"code": "no-root"' tbd.json || fail "no diagnostics in the JSON"
"$calc" --preset tbd --spice none.cir > /dev/null 2> none.err && fail "a netlist of infinite parts"
grep -q 'SPICE netlist not written' none.err || fail "no reason for the missing netlist"
"$calc" --batch --analyse < /dev/null > /dev/null 2> batch.err && fail "--analyse accepted with --batch"

[ -n "$ngspice" ] && [ -x "$ngspice" ] || ngspice=$(command -v ngspice || true)
[ -n "$ngspice" ] || { echo "ngspice is not installed: skipped"; exit 77; }
"$ngspice" -b bw.cir > sim.txt 2>&1 || fail "ngspice failed: $(cat sim.txt)"
grep -q 'No. of Data Rows : 151' sim.txt || fail "ngspice did not sweep 10 Hz to 10 kHz"
echo "ok"
