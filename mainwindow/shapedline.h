#pragma once

#include "engine/formats.h"
#include "engine/gradientsettings.h"

#include <QStringView>

#include <span>

class QPainter;

namespace huevane {

/// Characters of a line laid out in the first pass over it, where only what can
/// be seen of a long line is laid out; each further pass takes four times as many.
inline constexpr qsizetype FirstLayoutBatch = 128;

/// True when @p text holds a code point that drawing each character on its own
/// would show wrongly: a right-to-left letter or Arabic digit, an explicit
/// direction mark (embedding, override, isolate), a joiner, a variation
/// selector, an emoji modifier, keycap, tag or regional indicator, a conjoining
/// Hangul jamo, or a letter of a script whose letters change shape or order with
/// their neighbours (anything but Latin, Greek, Cyrillic, Armenian, Georgian, the
/// Chinese, Japanese and Korean scripts, Ethiopic, Cherokee, Canadian syllabics,
/// Yi and Braille, and the characters every script shares).
bool NeedsShapedLayout(QStringView text);

/// Paints one line of the text preview the way Unicode's bidirectional
/// algorithm and the font's shaping lay it out, in @p direction, the paragraph's
/// direction: a left-to-right line starts at x 0, a right-to-left one ends at
/// @p width (so it starts at the right edge), with its baseline at @p baseline,
/// in pixels. Each character of @p characters (one line's worth, in order, in
/// @p text) is painted in its own colour over the columns its part of the line
/// takes; glyphs it shares with a neighbour (a ligature, a conjunct) are split
/// between them there, and colour glyphs keep their own colours. Ink is cut off
/// at 0 and @p width. Only as much of the line is laid out as can be seen.
/// Uses the painter's font with shaping allowed, and the painter's device.
/// Each character gets the marks of @p styles (PaintStyleMarks()) over its
/// columns; none by default.
void PaintShapedLine(QPainter &painter, QStringView text, std::span<const CharColour> characters,
                     Qt::LayoutDirection direction, int baseline, int width, Styles styles = 0);

} // namespace huevane
