#include "stylemarks.h"

#include <QBrush>
#include <QColor>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace huevane {

QFont StyledFont(QFont font, Styles styles)
{
    font.setBold(styles & StyleBit(Style::Bold));
    font.setItalic(styles & StyleBit(Style::Italic));
    return font;
}

void PaintStyleMarks(QPainter &painter, const QFontMetrics &metrics, Styles styles,
                     const QColor &colour, int left, int right, int baseline)
{
    if (right <= left)
        return;
    const int width = right - left;
    const int thickness = std::max(1, metrics.lineWidth());
    if (styles & StyleBit(Style::Underline))
        painter.fillRect(left, baseline + metrics.underlinePos(), width, thickness, colour);
    if (styles & StyleBit(Style::Strikethrough))
        painter.fillRect(left, baseline - metrics.strikeOutPos(), width, thickness, colour);
    // The hatching's lines follow the surface's origin, so they run on across
    // characters and lines.
    if (styles & StyleBit(Style::Obfuscated))
        painter.fillRect(left, baseline - metrics.ascent(), width, metrics.height(),
                         QBrush(colour, Qt::BDiagPattern));
}

} // namespace huevane
