#!/usr/bin/env bash
# velmora-calc as a user meets it: exit statuses, messages, and the batch
# texts of the worked examples byte for byte.
# Usage: velmora_calc_test.sh PATH-TO-velmora-calc
set -u
export LC_ALL=C
calc=$1
passed=0
failed=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

check() {  # name, expected status, pattern for stdout+stderr ("": any), command...
    local name=$1 want=$2 pattern=$3
    shift 3
    "$@" >"$tmp/out" 2>&1
    local got=$?
    if [ "$got" -eq "$want" ] && { [ -z "$pattern" ] || grep -qE -- "$pattern" "$tmp/out"; }; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $name: status $got (want $want), output:"
        head -c 600 "$tmp/out"
    fi
}

# name | status | output pattern | arguments
check "help" 0 "Usage: velmora-calc" "$calc" --help
check "version" 0 "^velmora-calc 1\.03$" "$calc" --version
check "unknown option" 2 "^velmora-calc: .*--bogus" "$calc" --bogus
check "usage hint" 2 "Try 'velmora-calc --help'" "$calc" --bogus
check "missing value" 2 "^velmora-calc: .*--af1" "$calc" --af1
check "unknown preset" 2 "unknown preset 'chebyshev'" "$calc" --preset chebyshev
check "stray argument" 2 "not expected: extra" "$calc" extra
check "batch with inputs" 2 "standard input only" "$calc" --batch --af1 1
check "preset" 0 "R1 +119421\.6 ohms +1194\.2 ohms" "$calc" --preset butterworth
check "passes shown" 0 "Bisection passes: 41" "$calc" --preset butterworth
check "override" 0 "C +1\. uF" "$calc" --preset butterworth --cap 10
check "negative value" 0 "AF1 -5," "$calc" --af1 -5
check "text not a number" 0 "R2 +9999993061\.1 ohms" "$calc" --af1 abc
check "json" 0 '"passes": 40' "$calc" --preset bessel --json
check "json with bytes that are not UTF-8" 0 $'"AF1": "\xef\xbf\xbd1"' "$calc" --json --af1 $'\xff1'
check "json texts" 0 '"RK-R": "1921\.3"' "$calc" --preset bessel --json
# Every root listed, the fifth 0.17 % from the fourth; figures apart at any width.
check "alternatives" 0 "^  5 +27\.913k +173\.35 +11\.873k +1\.1511 " \
    "$calc" --af1 1.878 --f1 0.05023 --af2 2.303 --f2 15.98 --alternatives
check "wide sensitivities" 0 "^  Q 2( +-?[0-9]+\.[0-9]{3}){9}$" \
    "$calc" --af1 2 --f1 .3 --af2 .02 --f2 1 --series E96 --sensitivity

# Only the lines' own texts, never a number's value, decide the batch output.
cat >"$tmp/rows.tsv" <<'ROWS'
1.847759	1	.765367	1	1	1000	0.01	2000
1.915949	3.023265	1.241406	3.389366	1	1000	0.01	2000
1.418218	.597002	.340072	1.03127	1	1000	0.01	2000
1.274638	.501946	.280943	.943253	1	1000	0.01	2000
1.075906	.470711	.217681	.963678	1	1000	0.01	2000
.179248	.950309	.928942	.442696	1	1000	0.01	2000
ROWS
cat >"$tmp/expected.tsv" <<'ROWS'
119421.6	428196.7	428196.7	29302.9	2.038	1194.2	4282.	4282.	293.	0.1	2076.	1000.
34043.9	136066.3	136066.3	9695.1	1.9606	340.4	1360.7	1360.7	97.	0.1	1921.3	1000.
224566.3	560072.7	560072.7	24029.8	2.0978	2245.7	5600.7	5600.7	240.3	0.1	2195.7	1000.
286079.4	623597.1	623597.1	25728.6	2.1087	2860.8	6236.	6236.	257.3	0.1	2217.4	1000.
339621.6	609719.9	609719.9	24697.4	2.1236	3396.2	6097.2	6097.2	247.	0.1	2247.2	1000.
393595.9	609859.4	609859.4	24764.5	2.1349	3936.	6098.6	6098.6	247.6	0.1	2269.7	1000.
ROWS
check "batch rows" 0 "" cmp "$tmp/expected.tsv" <("$calc" --batch <"$tmp/rows.tsv")

# A bad line is reported by number, answered with an empty line, and the
# rest still done; the status says something was wrong.
printf '1\t2\n' >"$tmp/bad.tsv"
cat "$tmp/rows.tsv" >>"$tmp/bad.tsv"
check "batch bad line status" 1 "line 1: expected 8 TAB-separated fields, found 2" \
    "$calc" --batch <"$tmp/bad.tsv"
"$calc" --batch <"$tmp/bad.tsv" 2>/dev/null >"$tmp/bad.out"
check "batch bad line output" 0 "" cmp <(printf '\n'; cat "$tmp/expected.tsv") "$tmp/bad.out"

# Streaming: 100,000 lines in, 100,000 identical lines out.
head -n 1 "$tmp/rows.tsv" >"$tmp/one.tsv"
yes "$(cat "$tmp/one.tsv")" | head -n 100000 | "$calc" --batch >"$tmp/many.out"
check "batch 100000 lines" 0 "^100000 " sh -c "sort \"$tmp/many.out\" | uniq -c | sed 's/^ *//'"
check "batch 100000 texts" 0 "119421\.6.*1000\.$" uniq "$tmp/many.out"

echo "velmora-calc: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
