#pragma once

#include <QFont>
#include <QHash>
#include <QString>

#include <array>
#include <vector>

namespace huevane {

/// A text broken into the lines it is shown in at a given width. A line ends
/// at a line break of the text (LF, CR LF or a lone CR) and, where the text is
/// wider than the width, after the last space that still fits; a word wider
/// than the width breaks after its last character that fits. Spaces at the end
/// of a line may stand past the width. Widths are the sums of the characters'
/// advances in the font, so breaking a text costs one pass over it, however
/// long its lines are.
class WrappedLines
{
public:
    /// Tab stops every @p tabStop pixels, as a text box sets them by default.
    static constexpr qreal DefaultTabStop = 80;

    /// Breaks @p text anew for @p font and @p width (in pixels, at least the
    /// width of one character: every line holds one).
    void layout(const QString &text, const QFont &font, qreal width);

    const QString &text() const { return m_text; }

    /// The number of lines, at least 1 (an empty text has one empty line).
    qsizetype count() const { return qsizetype(m_starts.size()); }

    /// The position in the text where line @p line starts.
    qsizetype start(qsizetype line) const { return m_starts[size_t(line)]; }

    /// The position where line @p line's characters end, before its line break.
    qsizetype end(qsizetype line) const;

    /// The line that shows position @p position (0 to the text's length); a
    /// position where a long line was broken belongs to the line after it.
    qsizetype lineOf(qsizetype position) const;

private:
    qreal advance(qsizetype at, qsizetype *units) const;
    void breakParagraph(qsizetype from, qsizetype to);

    QString m_text;
    QFont m_font;
    qreal m_width = 0;
    std::vector<qsizetype> m_starts {0};
    std::array<qreal, 128> m_ascii {};
    mutable QHash<char32_t, qreal> m_others;
};

} // namespace huevane
