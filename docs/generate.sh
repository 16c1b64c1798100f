#!/usr/bin/env bash
# Writes README.md and docs/*.md from their templates in docs/src/, running
# every command they show, so no page can drift from what the tool prints.
#
#   bash docs/generate.sh                   regenerate the pages and figures
#                                           (builds velmora-calc first); then
#                                           read git diff README.md docs
#   generate.sh --check BIN-DIR             compare (the docs test): fails when
#                                           a committed page or figure differs
#                                           from a fresh generation
#
# A template is Markdown with these markers (HTML comments, so a template
# reads as a page too). A marker may span lines; it ends at "-->".
#
#   <!-- run: COMMAND -->          a code block: "$ COMMAND", then everything
#                                  it prints (standard output and error); a
#                                  command that fails stops the generation
#   <!-- command: COMMAND -->      the same, without what it prints, which
#                                  the part markers below show
#   <!-- part: REGEX -->           a code block: the paragraph of the last
#                                  run's output from the first line matching
#                                  REGEX (extended) to the next empty line
#   <!-- insert: COMMAND -->       what COMMAND prints, as Markdown (tables)
#   <!-- elsewhere: COMMAND -->    a code block of a command this script cannot
#                                  run (set-up, the Windows build); the
#                                  template says where it is run
#   <!-- let NAME: COMMAND -->     {{NAME}} in the text below becomes what
#                                  COMMAND prints (a number quoted in prose);
#                                  output.txt holds the last run's output
#   <!-- figure: FILE NAME.svg ALT -->
#                                  FILE (written by an earlier command of the
#                                  page) becomes docs/NAME.svg, shown here
#
# A template has no code block of its own: every one comes from a run.
# The commands of a page run in order in one scratch folder of their own,
# with velmora-calc on PATH and also at build/native/cli/velmora-calc, under
# LC_ALL=C and TZ=UTC; Monte Carlo commands give their --seed. The pages are
# generated side by side.
set -u
export LC_ALL=C TZ=UTC
root=$(cd "$(dirname "$0")/.." && pwd)
mode=write
if [ "${1:-}" = --check ]; then
    mode=check
    shift
fi
if [ $# -eq 0 ]; then
    (cd "$root" && { [ -d build/native ] || cmake --preset native; } &&
        cmake --build --preset native -j2 --target velmora-calc) >/dev/null || exit 1
    set -- "$root/build/native/cli"
fi
cli=$(cd "$1" && pwd)
for dir in "$@"; do PATH=$(cd "$dir" && pwd):$PATH; done
export PATH

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
out=$root
[ $mode = check ] && out=$scratch/out && mkdir -p "$out/docs"

fail() {  # template, message
    echo "generate.sh: ${1#"$root"/}: $2" >&2
    exit 1
}

# Runs one marker's command in the page's folder; its output is in $capture.
run() {  # template, command
    (cd "$work" && bash -c "set -o pipefail; $2" </dev/null >"$capture" 2>&1) ||
        { cat "$capture" >&2; fail "$1" "this command failed: $2"; }
}

# Writes one page from its template to standard output.
page() {  # template, path of the figures relative to the page
    local template=$1 figures=$2 line marker kind body name
    local -A vars=()
    while IFS= read -r line || [ -n "$line" ]; do
        if [[ $line == '<!-- '* ]]; then
            marker=${line#'<!-- '}
            while [[ $marker != *'-->' ]]; do
                IFS= read -r line || fail "$template" "a marker has no end: ${marker%%$'\n'*}"
                marker+=$'\n'$line
            done
            marker=${marker%'-->'}
            marker=${marker%"${marker##*[![:space:]]}"}
            kind=${marker%%:*}
            body=${marker#*:}
            body=${body#[[:space:]]}
            body=${body#$'\n'}
            case $kind in
            run | command)
                run "$template" "$body"
                cp "$capture" "$work/output.txt"
                echo "$body" | sed '1s/^/    $ /; 1!s/^/    /'
                [ "$kind" = command ] || sed 's/^/    /; s/^    $//' "$work/output.txt"
                ;;
            part)
                [ -f "$work/output.txt" ] || fail "$template" "a part marker before any run"
                grep -qE -- "$body" "$work/output.txt" || fail "$template" "no line of the last run matches: $body"
                # "..." marks the lines left out before the part.
                awk -v re="$body" 'on && $0 == "" { exit } !on && $0 ~ re { on = 1; if (NR > 1) print "..." } on' \
                    "$work/output.txt" | sed 's/^/    /'
                ;;
            insert)
                run "$template" "$body"
                cat "$capture"
                ;;
            elsewhere) echo "$body" | sed 's/^/    /' ;;
            'let '*)
                name=${kind#let }
                run "$template" "$body"
                vars[$name]=$(cat "$capture")
                ;;
            figure)
                read -r file name alt <<<"$body"
                [ -f "$work/$file" ] || fail "$template" "no figure $file"
                cp "$work/$file" "$out/docs/$name"
                echo "$name" >>"$scratch/figures"
                echo "![$alt]($figures$name)"
                ;;
            *) fail "$template" "no such marker: $kind" ;;
            esac
            continue
        fi
        if [[ $line == '```'* || $line == '    '* ]]; then
            fail "$template" "a code block of its own (every one comes from a run): $line"
        fi
        while [[ $line =~ \{\{([a-z0-9_]+)\}\} ]]; do
            name=${BASH_REMATCH[1]}
            [ -n "${vars[$name]+set}" ] || fail "$template" "{{$name}} has no let marker above it"
            line=${line//"{{$name}}"/"${vars[$name]}"}
        done
        echo "$line"
    done <"$template"
}

: >"$scratch/figures"
# The pages are written side by side, each in its own folder.
jobs=()
for template in "$root"/docs/src/*.md; do
    name=$(basename "$template")
    (
        work=$scratch/work.$name capture=$scratch/capture.$name
        mkdir -p "$work/build/native"
        ln -s "$cli" "$work/build/native/cli"
        figures=
        [ "$name" = README.md ] && figures=docs/
        page "$template" "$figures" >"$scratch/page.$name" || exit 1
        printf '\n<!-- Written by bash docs/generate.sh from docs/src/%s: edit that, not this. -->\n' \
            "$name" >>"$scratch/page.$name"
    ) &
    jobs+=($!)
done
failed=0
for job in "${jobs[@]}"; do wait "$job" || failed=1; done
[ $failed = 0 ] || exit 1
for template in "$root"/docs/src/*.md; do
    name=$(basename "$template")
    target=docs/$name
    [ "$name" = README.md ] && target=README.md
    mv "$scratch/page.$name" "$out/$target"
done

# Every page and figure in docs/ is generated: none is written by hand, none
# is left behind when its template drops it. The window's picture is taken
# under Wine (bash scripts/screenshot.sh).
generated=$( (cd "$root/docs/src" && ls *.md | grep -vx README.md; cat "$scratch/figures") | sort)
others=$(cd "$root/docs" && ls | grep -vx -e src -e generate.sh -e screenshot.png | sort)
if [ $mode = write ]; then
    (cd "$root/docs" && comm -23 <(echo "$others") <(echo "$generated") | xargs -r rm -v)
    echo "generate.sh: wrote README.md and $(wc -l <<<"$generated") files in docs/; read git diff README.md docs"
    exit 0
fi
status=0
if [ "$others" != "$generated" ]; then
    echo "docs/ holds other pages or figures than the templates make:"
    diff <(echo "$others") <(echo "$generated")
    status=1
fi
for file in README.md $(sed 's|^|docs/|' <<<"$generated"); do
    if ! diff -u "$root/$file" "$out/$file" >"$scratch/.diff" 2>&1; then
        head -c 6000 "$scratch/.diff"
        status=1
    fi
done
if [ $status -ne 0 ]; then
    echo "the docs differ from what the tool prints now; regenerate them: bash docs/generate.sh"
else
    echo "docs: README.md and $(wc -l <<<"$generated") files in docs/ as the tool makes them"
fi
exit $status
