#!/usr/bin/env bash
# Fails, naming the files, when a tracked C++ file differs from what
# .clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t files < <(git ls-files '*.cpp' '*.h')
[ ${#files[@]} -eq 0 ] && exit 0
if ! report=$(clang-format --dry-run --Werror "${files[@]}" 2>&1); then
    echo "Not formatted with .clang-format (run: clang-format -i FILE):"
    grep -o '^[^:]*:[0-9]*:[0-9]*: error' <<<"$report" | cut -d: -f1 | sort -u | sed 's/^/  /'
    exit 1
fi
echo "${#files[@]} files formatted"
