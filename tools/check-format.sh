#!/usr/bin/env bash
# Fails, listing the files, when a tracked C++ file differs from what
# .clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t files < <(git ls-files '*.cpp' '*.h')
[ ${#files[@]} -eq 0 ] && exit 0
bad=()
for file in "${files[@]}"; do
    [ -f "$file" ] || continue
    if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
        bad+=("$file")
    fi
done
if [ ${#bad[@]} -gt 0 ]; then
    echo "Not formatted with .clang-format (run: clang-format -i FILE):"
    printf '  %s\n' "${bad[@]}"
    exit 1
fi
echo "${#files[@]} files formatted"
