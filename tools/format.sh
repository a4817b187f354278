#!/usr/bin/env bash
# Formats every C++ source of the project with the repository's .clang-format.
#   tools/format.sh          rewrites the files in place
#   tools/format.sh --check  changes nothing; lists the files that deviate and fails if any do
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

clang_format=${CLANG_FORMAT:-}
if [ -z "$clang_format" ]; then
    for candidate in clang-format clang-format-14; do
        if command -v "$candidate" >/dev/null; then
            clang_format=$candidate
            break
        fi
    done
fi
if [ -z "$clang_format" ]; then
    echo "format.sh: clang-format not found (apt-get install clang-format)" >&2
    exit 2
fi

# Sources under version control only: build trees and scratch files are not ours to format.
mapfile -t files < <(git ls-files -- '*.cpp' '*.h')

if [ "${1:-}" = "--check" ]; then
    deviating=()
    for f in "${files[@]}"; do
        if ! "$clang_format" --dry-run --Werror "$f" >/dev/null 2>&1; then
            deviating+=("$f")
        fi
    done
    if [ ${#deviating[@]} -ne 0 ]; then
        echo "Not formatted as .clang-format says (run tools/format.sh):"
        printf '  %s\n' "${deviating[@]}"
        exit 1
    fi
    echo "format: ${#files[@]} files checked, all formatted"
    exit 0
fi

"$clang_format" -i "${files[@]}"
