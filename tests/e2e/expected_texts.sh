#!/bin/sh
# Computes the texts the window must show for the window cases with the
# native velmora-calc: one output line of twelve TAB-separated texts per case.
#
#   expected_texts.sh CALC CASES OUTPUT SOURCE_DIR
#
# CASES holds a name and the eight input texts per line. A missing CALC is
# built from the native preset first.
set -eu
calc=$1 cases=$2 output=$3 source=$4

if [ ! -x "$calc" ]; then
    echo "expected_texts.sh: building the native velmora-calc ($calc)"
    (cd "$source" && cmake --preset native >/dev/null &&
        cmake --build --preset native --target velmora-calc -j2 >/dev/null)
fi
cut -f2- "$cases" | "$calc" --batch >"$output"
echo "expected_texts.sh: $(wc -l <"$output") cases computed by $calc"
