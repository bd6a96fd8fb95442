#pragma once

#include <QFont>
#include <QHash>
#include <QString>
#include <QStringView>

#include <array>
#include <vector>

namespace huevane {

/// The widths of pieces of text in one font, shaped as a text layout draws
/// them (HarfBuzz through Qt), with what pays cached. Printable ASCII is summed
/// from each character's advance and the adjustment of each pair of neighbours
/// (kerning), both measured shaped once; that sum is exact wherever no two
/// neighbours join into one glyph. Any other piece is shaped whole and kept.
class TextWidths
{
public:
    /// Forgets every width when @p font differs from the one measured so far.
    void setFont(const QFont &font);

    /// True for the characters whose advances are summed: U+0020 to U+007E.
    static bool IsSimple(QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7F; }

    /// The advance of the simple character @p c, in pixels.
    qreal advance(char16_t c) const { return m_advance[c - 0x20]; }

    /// What the pair @p before, @p after adds to the sum of their advances,
    /// both simple; NaN where the two join into one glyph (a ligature), so
    /// that only a whole piece can be measured.
    qreal pair(char16_t before, char16_t after);

    /// How far the simple character @p c reaches right of its advance (0 or more).
    qreal overhang(char16_t c) const { return m_overhang[c - 0x20]; }

    /// The shaped width of @p piece, with no tab in it, kept for the next time.
    qreal shaped(QStringView piece);

    /// The widths of the pieces of @p text up to each of @p ends (ascending
    /// positions in it, each where a character starts or the text's end),
    /// each measured as part of the whole text laid out on one line, with
    /// tab stops every @p tabStop pixels.
    std::vector<qreal> prefixes(QStringView text, const std::vector<qsizetype> &ends,
                                qreal tabStop) const;

private:
    qreal measure(QStringView piece) const;

    static constexpr int Simple = 0x7F - 0x20;
    QFont m_font;
    bool m_measured = false;
    std::array<qreal, Simple> m_advance {};
    std::array<qreal, Simple> m_overhang {};
    std::vector<qreal> m_pairs; // Simple × Simple, measured when first met
    std::vector<bool> m_pairKnown;
    QHash<QString, qreal> m_pieces;
};

} // namespace huevane
