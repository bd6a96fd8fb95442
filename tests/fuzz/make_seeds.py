#!/usr/bin/env python3
"""Writes the seeds of corpus/engine/ and corpus/cli_input/ in the input layout
that fuzz_engine.cpp and fuzz_cli_input.cpp describe. Run from this folder after
changing a layout; findings worth keeping are added to the corpus by hand."""
import math
import os
import struct

SAMPLE = ("Sample Text For Gradient Demo\r\nThis time it's multiline!!!\r\n"
          "Try it out - it's even more fun!!!")
EMOJI = "a\U0001F600\U0001F1E9\U0001F1EA\U0001F468\u200D\U0001F469\u200D\U0001F467 \U0001F44D\U0001F3FD!"
FLAGS = "\U0001F600\U0001F1EB\U0001F1F7\U0001F1EF\U0001F1F5\U0001F1FA x\U0001F1E6"
COMBINING = "e\u0301\u0327 a\u0308\u0304 \u0915\u094D\u0937 \u1100\u1161\u11A8 o\u0302\u0323"
RIGHT_TO_LEFT = "\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD\r\n\u0645\u064E\u0631\u062D\u0628\u064B\u0627 abc \u202Eright\u202C"
TABS = "a\tb\t\tc\r\n\tindented\r\n\t"


def engine(name, text, start=(255, 70, 30), end=(255, 255, 0), kind=1, centre=None,
           per_line=False, upper=False, no_quotes=False, utf16=False, batch=6):
    flags = per_line | upper << 1 | no_quotes << 2 | utf16 << 3 | (centre is not None) << 4
    data = bytes([flags, kind, batch - 1])
    data += struct.pack("<6f", *start, *end)
    data += struct.pack("<i", centre or 0)
    if isinstance(text, bytes):
        data += text
    else:
        data += text.encode("utf-16-le" if utf16 else "utf-8", "surrogatepass")
    write("engine", name, data)


def cli_input(name, data, start=(255, 70, 30), end=(255, 255, 0), kind=1, centre=None,
              per_line=False, upper=False, no_quotes=False, piece=4, batch=6):
    flags = per_line | upper << 1 | no_quotes << 2 | (centre is not None) << 3 | (kind - 1) << 4
    header = bytes([flags, piece - 1, batch - 1, *start, *end]) + struct.pack("<i", centre or 0)
    if isinstance(data, str):
        data = data.encode("utf-8")
    write("cli_input", name, header + data)


def write(target, name, data):
    folder = os.path.join("corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


inf, nan = math.inf, math.nan

# The engine: the worked examples, then characters and colours of every kind.
engine("sample-start-up-colours", SAMPLE)
engine("sample-type-2-per-line-options", SAMPLE, kind=2, per_line=True, upper=True, no_quotes=True)
engine("sample-type-3-centre-47", SAMPLE, kind=3, centre=47)
engine("abc-red-to-blue", "abc", start=(255, 0, 0), end=(0, 0, 255))
engine("two-lines-per-line", "ab\r\nxyz", start=(0, 0, 0), end=(200, 0, 0), per_line=True)
engine("rise-and-fall-centre-5", "abcdefghij", start=(0, 0, 0), end=(180, 0, 0), kind=3, centre=5)
engine("rise-and-fall-112.5", "abcde", start=(0, 0, 0), end=(180, 0, 0), kind=3, centre=2)
engine("rise-and-fall-per-line", "abcd\r\nxy", start=(0, 0, 0), end=(120, 0, 0), kind=3,
       centre=3, per_line=True)
engine("overshoot-before-clamp", "ab", start=(100, 0, 0), end=(150, 0, 0), kind=3, centre=1)
engine("double-evaluation", "abcdefghijk", start=(96, 0, 0), end=(4, 0, 0), kind=3, centre=5)
engine("centre-32-bit-maximum", "abcd", kind=3, centre=2147483647)
engine("centre-32-bit-minimum", "abcd\r\nef", kind=3, centre=-2147483648, per_line=True)
engine("empty-first-line-centre-0", "\r\nabc", kind=3, centre=0)
engine("empty-lines-between", "ab\r\n\r\n\r\ncd\r\n", per_line=True)
engine("empty-text", "")
engine("blank-text", "    ")
engine("line-breaks-only", "\r\n\r\n", kind=3, per_line=True)
engine("colours-out-of-range", "abcdefghij\r\nklm", start=(999, 300, -40), end=(-1e30, 256, 1e30),
       kind=3, centre=4)
engine("colours-nan-and-infinite", "abcdef", start=(nan, inf, -inf), end=(inf, nan, 128.5))
engine("colours-halves", "abcdefgh", start=(0.5, 1.5, 2.5), end=(127.5, 254.5, 255.49))
engine("type-0", "abc", kind=0)
engine("type-4", "abc", kind=4)
engine("type-255", "a\r\nb", kind=255)
engine("emoji-flags-zwj", EMOJI, kind=3)
engine("flags-after-emoji", FLAGS, per_line=True)
engine("combining-marks", COMBINING, kind=2, upper=True)
engine("right-to-left", RIGHT_TO_LEFT, kind=3, per_line=True)
engine("tabs", TABS, no_quotes=True)
engine("lone-cr-and-lf", "a\rb\nc\r\r\nd\n\re", kind=3)
engine("nul-characters", "a\0b\0\r\n\0", upper=True)
engine("markup-characters", "<font color=\"#000000\">x</font><br>\r\n&amp;<", no_quotes=True)
engine("lone-surrogates", "a\ud800b\udc00c\ud83d", utf16=True)
engine("surrogate-pair-then-lone", "\ud83d\ude00\ude00\ud83d\r\n\udbff", utf16=True, kind=3)
engine("long-line-ascii", "".join(chr(33 + (i * 7) % 94) for i in range(3000)), kind=3,
       batch=256)
engine("long-line-mixed", ("x\U0001F600e\u0301\U0001F1EB\U0001F1F7 \u05E9" * 450) + "\r\nend",
       kind=3, per_line=True, batch=9)
# Qt's boundary finder reads the script of a whole run: marks on a base of no
# script, at the start of a line, split from it when Devanagari follows.
engine("marks-before-devanagari", "\uFFFD\u0308\u0304 \u0915\u094D\u0937 x\r\nSamp\uFFFD\u0308 \u0915",
       kind=3, batch=2)

# huevane-html's input: line breaks, byte-order marks and every kind of bad UTF-8.
cli_input("sample-lf", SAMPLE.replace("\r\n", "\n"))
cli_input("sample-cr-lf-type-3", SAMPLE, kind=3, centre=-7, start=(10, 27, 44))
cli_input("sample-lone-cr-per-line", SAMPLE.replace("\r\n", "\r"), kind=2, per_line=True)
cli_input("cr-lf-cut-between-pieces", "ab\r\ncd\r\ref\n\rg", piece=3)
cli_input("byte-order-mark", b"\xEF\xBB\xBFhi\r\n", piece=2)
cli_input("byte-order-mark-twice", b"\xEF\xBB\xBF\xEF\xBB\xBFx", piece=1)
cli_input("byte-order-mark-later", b"h\xEF\xBB\xBFi")
cli_input("byte-order-mark-only", b"\xEF\xBB\xBF")
cli_input("empty", b"")
cli_input("blank", b"   ")
cli_input("nul-bytes", b"a\0b\0\n\0", no_quotes=True)
cli_input("emoji-cut-by-pieces", EMOJI, piece=1, batch=1)
cli_input("combining-marks", COMBINING, kind=3, per_line=True)
cli_input("right-to-left", RIGHT_TO_LEFT, upper=True)
cli_input("tabs", TABS)
cli_input("invalid-truncated-at-end", b"ab\xC3")
cli_input("invalid-truncated-four-byte", b"ab\xF0\x9F\x98z")
cli_input("invalid-lone-continuation", b"abc\x80def")
cli_input("invalid-overlong-two-byte", b"\xC0\xAF")
cli_input("invalid-overlong-three-byte", b"x\xE0\x80\x80")
cli_input("invalid-overlong-four-byte", b"\xF0\x8F\xBF\xBF")
cli_input("invalid-lone-high-surrogate", b"ok\r\n\xED\xA0\x80")
cli_input("invalid-lone-low-surrogate", b"\xED\xBF\xBF")
cli_input("invalid-beyond-u10ffff", b"\xF4\x90\x80\x80")
cli_input("invalid-f5-lead", b"\xF5\x80\x80\x80")
cli_input("invalid-ff-after-valid", b"\xC3\xA9\xFF", piece=2)
cli_input("invalid-after-cut-character", b"\xE2\x82\xAC\xE2\x82", piece=4)
cli_input("highest-code-point", b"\xF4\x8F\xBF\xBF\n\xE0\xA0\x80")
# Markup of every format in the text, in runs of one colour that cross batches.
cli_input("markup-in-runs", "<i>&amp;</i> [b]x[/b] \x1b[0m>\n" * 3, start=(0, 0, 0),
          end=(0, 0, 9), batch=4)
cli_input("long-line-mixed", ("x\U0001F600e\u0301\U0001F1EB\U0001F1F7 \u05E9" * 450) + "\nend",
          kind=3, batch=200, piece=255)
