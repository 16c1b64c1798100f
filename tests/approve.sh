#!/usr/bin/env bash
# Approval tests: runs each command of tests/approvals.txt in an empty
# folder and compares everything it gives (standard output, standard error,
# exit status, the files it writes) byte for byte with tests/approved/.
#
#   bash tests/approve.sh                 re-approve after a deliberate change
#                                         (builds the native preset's programs
#                                         first); then read git diff tests/approved
#   approve.sh --check BIN-DIR...         compare (the approvals test)
#   approve.sh --check --skip a,b BIN...  compare all but the groups named
set -u
export LC_ALL=C TZ=UTC
here=$(cd "$(dirname "$0")" && pwd)
mode=approve
skip=()
if [ "${1:-}" = --check ]; then
    mode=check
    shift
    if [ "${1:-}" = --skip ]; then
        IFS=, read -ra skip <<<"$2"
        shift 2
    fi
fi
if [ $mode = approve ] && [ $# -eq 0 ]; then
    # Approve what the sources give now, never a stale build.
    (cd "$here/.." && { [ -d build/native ] || cmake --preset native; } &&
        cmake --build --preset native -j2 --target velmora-calc gen_schematic gen_icon) >/dev/null ||
        exit 1
    set -- "$here/../build/native/cli" "$here/../build/native/tools"
fi
for dir in "$@"; do PATH=$(cd "$dir" && pwd):$PATH; done
export PATH DATA=$here/data
received=$(mktemp -d)
differences=$(mktemp)
trap 'rm -rf "$received" "$differences"' EXIT

# For the commands: the eight input texts of each worked example, and its
# twelve result texts with {c*N} written out.
worked_inputs() { grep -v '^#' "$DATA/worked_examples.tsv" | cut -f2-9; }
worked_results() {
    grep -v '^#' "$DATA/worked_examples.tsv" | cut -f11- | perl -pe 's/\{(.)\*(\d+)\}/$1 x $2/ge'
}
# N lines of eight input texts drawn from seed S, spread over the decades
# designers use and written with 1 to 7 significant digits. Perl's own
# generator gives the same lines on every machine.
random_inputs() {  # N S
    perl -e 'my ($n, $seed) = @ARGV; srand $seed;
        sub t { my ($lo, $hi) = @_; sprintf "%.*g", 1 + int rand 7, $lo * ($hi / $lo)**rand }
        print join("\t", t(.05, 3), t(.1, 10), t(.05, 3), t(.1, 10), t(.001, 100), t(1, 1e5),
            t(1e-4, 1), t(100, 1e5)), "\n" for 1 .. $n' "$@"
}
export -f worked_inputs worked_results random_inputs

section() {  # title, file: the file's bytes, marked when no line feed ends them
    echo "--- $1"
    cat "$2"
    if [ -s "$2" ] && [ -n "$(tail -c 1 "$2")" ]; then printf '\n(no line feed at the end)\n'; fi
}

while IFS= read -r line || [ -n "$line" ]; do
    case $line in '' | '#'*) continue ;; esac
    name=${line%%[[:space:]]*}
    [[ " ${skip[*]} " == *" $name "* ]] && continue
    command=$(sed 's/^[^[:space:]]*[[:space:]]*//' <<<"$line")
    work=$(mktemp -d)
    (cd "$work" && bash -c "$command" </dev/null >"$received/.out" 2>"$received/.err")
    status=$?
    {
        echo "\$ $command"
        section stdout "$received/.out"
        section stderr "$received/.err"
        echo "--- exit status $status"
        (cd "$work" && find . -type f | sort) | while read -r file; do
            file=${file#./}
            case $file in
            *.bmp | *.ico) echo "--- wrote $file: $(wc -c <"$work/$file") bytes," \
                "sha256 $(sha256sum <"$work/$file" | cut -c1-64)" ;;
            *)
                echo "--- wrote $file: $name.${file//\//_}"
                cp "$work/$file" "$received/$name.${file//\//_}"
                ;;
            esac
        done
        echo
    } >>"$received/$name.txt"
    rm -rf "$work"
done <"$here/approvals.txt"
rm -f "$received/.out" "$received/.err"

if [ $mode = approve ]; then
    rm -rf "$here/approved"
    cp -r "$received" "$here/approved"
    chmod 755 "$here/approved"
    echo "approved: $(ls "$here/approved" | wc -l) files in tests/approved"
elif excludes=(); for group in "${skip[@]}"; do excludes+=("--exclude=$group.*"); done
    diff -r "${excludes[@]}" "$here/approved" "$received" >"$differences"; then
    echo "approvals: all $(ls "$here/approved" | wc -l) files as approved"
else
    head -c 20000 "$differences"
    echo "approvals differ; after a deliberate change run: bash tests/approve.sh"
    exit 1
fi
