#!/usr/bin/env bash
# huevane-html end to end, output to a file: characters per second and peak
# resident memory (GNU time) on
#   - a 10,000,000-character file in lines of 100 (best of three rounds), as font
#     tags, then in every other format that --help lists, with and without
#     --merge, and with a template of one's own,
#   - the same with emoji and combining marks in every line,
#   - a single line of 10 MB, plain and with emoji and accented letters,
#   - the 10,000,000 characters through five stops in each colour space,
#   - 100 MB of text in lines of 100,
#   - 10,000,000 characters in lines of 10,000, each a rainbow, written once and
#     fitted to the limit that k = 1,000 gives, the whole output and each line.
set -euo pipefail
binary=${1:?usage: bench_cli.sh PATH-TO-huevane-html}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$work" <<'PY'
import sys
folder = sys.argv[1]
line = "".join(chr(33 + (j * 7) % 94) for j in range(100))
with open(folder + "/lines.txt", "w", newline="") as f:
    for i in range(100_000):
        f.write(line + "\r\n")
# 100 characters a line with emoji and combining marks, those of bench/mixedtext.h.
emoji = ["\U0001F600", "\U0001F44D\U0001F3FD", "\U0001F1E9\U0001F1EA",
         "\U0001F468\u200D\U0001F469\u200D\U0001F467", "\u2764\uFE0F"]
mixed = "".join("The quick brow" + "e\u0301o\u0308n\u0303 " + e + "!" for e in emoji)
with open(folder + "/lines-mixed.txt", "w", newline="", encoding="utf-8") as f:
    for i in range(100_000):
        f.write(mixed + "\r\n")
# What a reader sees as characters, where it is not one a code point.
with open(folder + "/lines-mixed.txt.characters", "w") as f:
    f.write(str(100 * 100_000))
with open(folder + "/line-ascii.txt", "w", newline="") as f:
    f.write("abcdefghij" * 1_000_000)
# About 10 MB: 36 ASCII letters, an accented letter and an emoji, over and over.
with open(folder + "/line-mixed.txt", "w", newline="", encoding="utf-8") as f:
    f.write(("abcdefghijklmnopqrstuvwxyzabcdefghij" + "\u00e9" + "\U0001F600") * 238_095)
with open(folder + "/input-100mb.txt", "w", newline="") as f:
    for i in range(1_000_000):
        f.write(line[:99] + "\n")
with open(folder + "/lines-10k.txt", "w", newline="") as f:
    for i in range(1_000):
        f.write(line * 100 + "\r\n")
PY

# measure NAME FILE ROUNDS [OPTION]...: prints the best round.
measure() {
    local name=$1 file=$2 rounds=$3 best= best_kb=
    shift 3
    local characters
    if [ -f "$file.characters" ]; then
        characters=$(cat "$file.characters")
    else
        characters=$(python3 -c 'import sys; t = open(sys.argv[1], encoding="utf-8", newline="").read(); print(len(t) - t.count("\n") - t.count("\r"))' "$file")
    fi
    for round in $(seq 1 "$rounds"); do
        /usr/bin/time -f "%e %M" -o "$work/time" "$binary" "$@" "$file" >"$work/out.html"
        read -r seconds kilobytes <"$work/time"
        if [ -z "$best" ] || awk "BEGIN{exit !($seconds < $best)}"; then
            best=$seconds
            best_kb=$kilobytes
        fi
    done
    awk -v n="$name" -v s="$best" -v kb="$best_kb" -v c="$characters" \
        -v in_mb="$(stat -c %s "$file")" -v out="$(stat -c %s "$work/out.html")" \
        'BEGIN{printf "%-44s %6.1f MB in, %7.1f MB out: %6.2f s, %6.1f M chars/s, peak resident %6.1f MB\n",
               n, in_mb / 1e6, out / 1e6, s, c / s / 1e6, kb / 1024}'
    rm -f "$work/out.html"
    last_seconds=$best
}

measure "10,000,000 characters, lines of 100" "$work/lines.txt" 3
measure "10,000,000, emoji and marks" "$work/lines-mixed.txt" 3
formats=$("$binary" --help | awk '/^Formats \(/ { on = 1; next } /^$/ { on = 0 } on && /^  [a-z]/ { print $1 }')
for format in $formats; do
    [ "$format" = font ] && continue
    measure "the same, --format $format" "$work/lines.txt" 3 --format "$format"
    measure "the same, --format $format --merge" "$work/lines.txt" 3 --format "$format" --merge
done
measure "the same, a template" "$work/lines.txt" 3 --template '<i style="color:#{hex}">{c}</i>'
measure "the same, a template, --merge" "$work/lines.txt" 3 --template '<i style="color:#{hex}">{c}</i>' --merge
measure "one 10 MB line, ASCII" "$work/line-ascii.txt" 2
measure "one 10 MB line, accents and emoji" "$work/line-mixed.txt" 2
five=FF0000,FFFF00,00FF00,0000FF,FF00FF
measure "10,000,000 chars, 5 stops, rgb" "$work/lines.txt" 3 --stops "$five"
measure "the same, oklab" "$work/lines.txt" 3 --stops "$five" --space oklab
measure "the same, oklab, per line" "$work/lines.txt" 3 --stops "$five" --space oklab --per-line
measure "the same, oklch" "$work/lines.txt" 3 --stops "$five" --space oklch
measure "the same, hsl" "$work/lines.txt" 3 --stops "$five" --space hsl
measure "100 MB in lines of 100" "$work/input-100mb.txt" 1

# fit FORMAT LIMIT-OPTION: the lines of 10,000 written once, then fitted to the
# length (in bytes) that one colour every 1,000 characters gives, whole or its
# longest line; prints how many times longer fitting takes.
fit() {
    local format=$1 limit=$2 length once
    local options=(--per-line --preset rainbow --format "$format")
    "$binary" "${options[@]}" --colour-every 1000 "$work/lines-10k.txt" >"$work/every.html"
    if [ "$limit" = --max-length ]; then
        length=$(stat -c %s "$work/every.html")
    else
        length=$(LC_ALL=C awk '{ if (length($0) > m) m = length($0) } END { print m }' "$work/every.html")
    fi
    measure "10,000,000 in lines of 10,000, $format" "$work/lines-10k.txt" 3 "${options[@]}"
    once=$last_seconds
    measure "the same, $limit, k near 1,000" "$work/lines-10k.txt" 3 \
        "${options[@]}" "$limit" "$length" --count bytes
    awk -v a="$last_seconds" -v b="$once" 'BEGIN{printf "%-44s %.1f times writing once\n", "", a / b}'
    "$binary" "${options[@]}" "$limit" "$length" --count bytes --verbose "$work/lines-10k.txt" 2>&1 >/dev/null
}
fit minecraft-hex --max-length
fit ansi --max-line-length
