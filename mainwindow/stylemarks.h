#pragma once

#include "engine/formats.h"

#include <QFont>

class QColor;
class QFontMetrics;
class QPainter;

namespace huevane {

/// @p font made bold and italic as @p styles ask; the text preview measures
/// and draws its characters in it.
QFont StyledFont(QFont font, Styles styles);

/// Paints the marks of @p styles that the text preview draws itself over one
/// character whose columns are @p left up to @p right, on a line whose baseline
/// is at @p baseline, in @p colour, the character's: a line under it for
/// underline and through it for strikethrough, where @p metrics (the font's)
/// puts them, so that they run on unbroken under spaces and from one shaped
/// character to the next; and for obfuscated, diagonal hatching over the
/// character's whole line height, which leaves the character readable. Bold
/// and italic are the font's (StyledFont()).
void PaintStyleMarks(QPainter &painter, const QFontMetrics &metrics, Styles styles,
                     const QColor &colour, int left, int right, int baseline);

} // namespace huevane
