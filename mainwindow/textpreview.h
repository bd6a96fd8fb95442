#pragma once

#include "engine/charcolour.h"
#include "engine/formats.h"
#include "engine/preparedtext.h"

#include <QFont>
#include <QList>

#include <optional>
#include <span>

class QPaintDevice;

namespace huevane {

class DrawingSurface;

/// The left edges, in whole pixels, of the characters @p characters of one line
/// of @p text, measured from the first of them: each one at the width that
/// @p font measures for all the characters before it on the line (as
/// QFontMetrics::horizontalAdvance would for that run, kerning included),
/// measured in one pass. Stops after the first edge at or beyond @p limit pixels,
/// so only what can be seen is measured. @p characters must lie in @p text in
/// order, one line's worth.
QList<int> CharacterLefts(QStringView text, std::span<const CharColour> characters,
                          const QFont &font, const QPaintDevice *device, int limit);

/// Paints the characters of @p text onto @p surface in its font, each in its
/// colour of @p colours (which must have been computed for the text): line k
/// at k times the font's line height. A line whose visible part needs neither
/// reordering nor shaping (NeedsShapedLayout()) has every character drawn alone
/// at the left edge CharacterLefts() gives; any other line is laid out by the
/// bidirectional algorithm and shaping in its paragraph's direction, a
/// right-to-left one from the right edge (PaintShapedLine()). Empty lines take
/// their line of space. Characters beyond the surface's edge and lines below it
/// are not painted. The font is made bold and italic as @p styles ask
/// (StyledFont()), and each character gets their marks (PaintStyleMarks());
/// none by default.
void PaintCharacters(DrawingSurface &surface, const PreparedText &text,
                     const QList<CharColour> &colours, Styles styles = 0);

/// Smallest and largest text size of the preview, in points.
inline constexpr double MinimumTextSize = 1.0;
inline constexpr double MaximumTextSize = 400.0;

/// The preview text size that the text of the size box asks for, in points:
/// the whole text, blanks around it allowed, read as a decimal number above 0
/// ("12.5"), and brought into MinimumTextSize..MaximumTextSize. nullopt for a
/// text that is not such a number: empty, "0", "-3", letters, or a number
/// followed by anything else ("8x").
std::optional<double> PreviewTextSize(QStringView text);

} // namespace huevane
