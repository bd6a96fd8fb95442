#!/usr/bin/env bash
# huevane-html end to end on a 10,000,000-character file written to a file:
# characters per second and peak resident memory (GNU time).
set -euo pipefail
binary=${1:?usage: bench_cli.sh PATH-TO-huevane-html}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 100,000 lines of 100 printable ASCII characters.
python3 - "$work/input.txt" <<'PY'
import sys
line = "".join(chr(33 + (j * 7) % 94) for j in range(100))
with open(sys.argv[1], "w", newline="") as f:
    for i in range(100_000):
        f.write(line + "\r\n")
PY

best=
for round in 1 2 3; do
    /usr/bin/time -f "%e %M" -o "$work/time" "$binary" "$work/input.txt" >"$work/out.html"
    read -r seconds kilobytes <"$work/time"
    echo "round $round: ${seconds} s, peak resident ${kilobytes} kB, output $(stat -c %s "$work/out.html") bytes"
    if [ -z "$best" ] || awk "BEGIN{exit !($seconds < $best)}"; then best=$seconds; fi
done
awk -v s="$best" 'BEGIN{printf "best: %.2f s, %.1f M chars/s\n", s, 10/s}'
