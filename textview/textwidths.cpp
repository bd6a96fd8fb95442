#include "textwidths.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

#include <cmath>
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

std::vector<qreal> TextWidths::prefixes(QStringView text, const std::vector<qsizetype> &ends,
                                        qreal tabStop) const
{
    QTextLayout layout(text.toString(), m_font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(tabStop);
    layout.setTextOption(option);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    // The start stands at the right of a right-to-left text: widths are distances from it.
    const qreal start = line.cursorToX(0);
    std::vector<qreal> widths;
    widths.reserve(ends.size());
    qsizetype from = 0;
    for (const qsizetype end : ends) {
        // A glyph reaching out past its advance takes room too, as in a layout.
        qreal overhang = 0;
        for (const QGlyphRun &run : layout.glyphRuns(int(from), int(end - from))) {
            const QRawFont font = run.rawFont();
            const QList<quint32> glyphs = run.glyphIndexes();
            const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
            for (qsizetype g = 0; g < glyphs.size(); ++g)
                overhang =
                    std::max(overhang, font.boundingRect(glyphs[g]).right() - advances[g].x());
        }
        widths.push_back(std::abs(line.cursorToX(int(end)) - start) + overhang);
        from = end;
    }
    return widths;
}

qreal TextWidths::measure(QStringView piece) const
{
    return QFontMetricsF(m_font).horizontalAdvance(piece.toString());
}

} // namespace huevane
