#include "textwidths.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include <limits>

namespace huevane {

namespace {

// Pieces shaped whole and kept; past this many the store starts afresh, so a
// text of ever new words cannot make it grow without end.
constexpr qsizetype KeptPieces = 20000;

} // namespace

void TextWidths::setFont(const QFont &font)
{
    if (m_measured && font == m_font)
        return;
    m_font = font;
    m_measured = true;
    const QFontMetricsF metrics(font);
    for (int i = 0; i < Simple; ++i) {
        const QChar c(char16_t(0x20 + i));
        m_advance[i] = metrics.horizontalAdvance(c);
        m_overhang[i] = std::max<qreal>(0, -metrics.rightBearing(c));
    }
    m_pairs.assign(Simple * Simple, 0);
    m_pairKnown.assign(Simple * Simple, false);
    m_pieces.clear();
}

qreal TextWidths::pair(char16_t before, char16_t after)
{
    const size_t at = size_t(before - 0x20) * Simple + size_t(after - 0x20);
    if (!m_pairKnown[at]) {
        const QChar both[2] = {QChar(before), QChar(after)};
        QTextLayout layout(QString(both, 2), m_font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        qsizetype glyphs = 0;
        for (const QGlyphRun &run : layout.glyphRuns())
            glyphs += run.glyphIndexes().size();
        m_pairs[at] = glyphs < 2 ? std::numeric_limits<qreal>::quiet_NaN()
                                 : QFontMetricsF(m_font).horizontalAdvance(layout.text())
                - advance(before) - advance(after);
        m_pairKnown[at] = true;
    }
    return m_pairs[at];
}

qreal TextWidths::shaped(QStringView piece)
{
    const QString key = piece.toString();
    auto known = m_pieces.constFind(key);
    if (known != m_pieces.constEnd())
        return *known;
    if (m_pieces.size() >= KeptPieces)
        m_pieces.clear();
    const qreal width = measure(piece);
    m_pieces.insert(key, width);
    return width;
}

qreal TextWidths::measure(QStringView piece) const
{
    return QFontMetricsF(m_font).horizontalAdvance(piece.toString());
}

} // namespace huevane
