#!/usr/bin/env bash
# Puts the licence identifier and the copyright line at the top of every
# C++ source and header under src, tests, bench, fuzz and tools, and of every
# CMake file of the tree. Running it again changes nothing.
#
#   tools/add-spdx-headers.sh           add the header where it is missing
#   tools/add-spdx-headers.sh --check   list the files without one; exit 1 if any
#
# Run from anywhere; it works on the tree it belongs to.
set -euo pipefail

readonly IDENTIFIER='SPDX-License-Identifier: GPL-3.0-or-later'
readonly COPYRIGHT='Copyright (C) 2026 The Sentrivo developers'

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

mode=add
case "${1:-}" in
    '') ;;
    --check) mode=check ;;
    -h|--help)
        sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//'
        exit 0 ;;
    *)
        echo "usage: $0 [--check]" >&2
        exit 2 ;;
esac

# The files the header belongs in: C++ under the five code folders, CMake
# files anywhere in the tree (build folders aside).
list_files() {
    find src tests bench fuzz tools -type f \( -name '*.cpp' -o -name '*.h' \) -print 2>/dev/null
    find . \( -path ./.git -o -path './build*' -o -path ./debian \) -prune -o -type f \
        \( -name CMakeLists.txt -o -name '*.cmake' \) -print | sed 's|^\./||'
}

comment_for() {
    case "$1" in
        *.cpp|*.h) echo '//' ;;
        *) echo '#' ;;
    esac
}

# True when the licence identifier is already among the first lines.
has_header() {
    head -n 5 -- "$1" | grep -q 'SPDX-License-Identifier:'
}

missing=()
changed=0
while IFS= read -r file; do
    [ -n "$file" ] || continue
    if has_header "$file"; then
        continue
    fi
    if [ "$mode" = check ]; then
        missing+=("$file")
        continue
    fi
    c=$(comment_for "$file")
    tmp=$(mktemp "${file}.spdx.XXXXXX")
    {
        printf '%s %s\n%s %s\n\n' "$c" "$IDENTIFIER" "$c" "$COPYRIGHT"
        cat -- "$file"
    } >"$tmp"
    chmod --reference="$file" "$tmp"
    mv -- "$tmp" "$file"
    changed=$((changed + 1))
done < <(list_files | LC_ALL=C sort -u)

if [ "$mode" = check ]; then
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Files without an SPDX licence identifier (${#missing[@]}):" >&2
        printf '  %s\n' "${missing[@]}" >&2
        exit 1
    fi
    echo "Every source and CMake file carries an SPDX licence identifier."
    exit 0
fi
echo "Added the licence header to $changed file(s)."
