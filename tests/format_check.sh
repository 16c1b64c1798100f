#!/usr/bin/env bash
# Every C++ source is in the checked-in clang-format style.
# Usage: format_check.sh SOURCE-ROOT
set -u
cd "$1" || exit 2
files=$(find engine ui cli analysis tools tests bench -name '*.cpp' -o -name '*.h' 2>/dev/null | sort)
bad=0
for f in $files; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || { echo "not formatted: $f"; bad=$((bad + 1)); }
done
echo "format: $(wc -w <<<"$files") files, $bad not formatted"
[ "$bad" -eq 0 ]
