#pragma once

#include "textspan.h"

#include <QList>
#include <QString>

#include <bit>
#include <limits>
#include <memory>

namespace huevane {

/// A text made ready for colouring: its lines and its characters, found once.
///
/// Lines end where lineends.h says (CR LF, LF, CR, U+2028, U+2029); a line break
/// is in no line. A break at the very end of the text makes no empty last line,
/// two in a row make an empty line between them, and the empty text is one empty
/// line, so there is always at least one. A character is what a reader sees as
/// one, an extended grapheme cluster (characters.h).
///
/// It holds the text and 16 bytes a line; where a line is not one code unit a
/// character, one bit for every code unit of the text besides, marking where its
/// characters start. Copies share all of it.
class PreparedText
{
public:
    /// The most UTF-16 code units a prepared text holds: lines and counts of
    /// characters are 32-bit. A longer text is cut there (neither huevane-html,
    /// which refuses inputs that large, nor the window holds one).
    static constexpr qsizetype MaxUnits = std::numeric_limits<qint32>::max();

    /// The empty text: one empty line, no characters.
    PreparedText();

    /// Finds the lines and characters of @p text.
    explicit PreparedText(QString text);

    /// The text, exactly as given.
    const QString &text() const { return m_text; }

    /// The number of lines, 1 or more.
    qsizetype lineCount() const { return m_lines.size(); }

    /// Line @p index (from 0) as a span of the text, without its line break.
    TextSpan line(qsizetype index) const
    {
        const Line &l = m_lines[index];
        return {l.start, l.length};
    }

    /// Line @p index as a view into the text.
    QStringView lineText(qsizetype index) const { return line(index).in(m_text); }

    /// The characters of line @p index.
    qint32 lineCharacters(qsizetype index) const { return m_lines[index].characters; }

    /// The characters of all lines; line breaks are not characters.
    qint32 totalChars() const { return m_totalChars; }

    /// The number of line breaks in the text.
    qint64 lineBreaks() const { return m_breaks; }

    /// The length of the whole text in characters with every line break counted
    /// as the two characters CR and LF, the way the window writes its text.
    qint64 wholeTextLength() const { return qint64(m_totalChars) + 2 * m_breaks; }

    /// Calls @p visit(TextSpan) for every character of line @p index, in order,
    /// each a span of the whole text.
    template <typename Visit>
    void forEachCharacter(qsizetype index, Visit &&visit) const;

private:
    struct Line
    {
        qsizetype start;
        qint32 length;
        qint32 characters;
    };
    static_assert(sizeof(Line) == 16);

    void markCharacters(Line &line);

    QString m_text;
    QList<Line> m_lines;
    // Bit i set: a character starts at code unit i. Only the lines with fewer
    // characters than code units are marked; null while there is none.
    std::shared_ptr<quint64> m_starts;
    qint32 m_totalChars = 0;
    qint64 m_breaks = 0;
};

template <typename Visit>
void PreparedText::forEachCharacter(qsizetype index, Visit &&visit) const
{
    const Line &line = m_lines[index];
    const qsizetype end = line.start + line.length;
    if (line.characters == line.length) {
        for (qsizetype i = line.start; i < end; ++i)
            visit(TextSpan {i, 1});
        return;
    }
    // A character runs from its marked start to the next mark, or the line's end.
    const quint64 *const marks = m_starts.get();
    qsizetype start = line.start;
    qsizetype word = (start + 1) >> 6;
    quint64 bits = marks[word] & (~quint64(0) << ((start + 1) & 63));
    for (;;) {
        while (bits == 0 && (word + 1) << 6 < end)
            bits = marks[++word];
        const qsizetype next =
            bits == 0 ? end : std::min(end, (word << 6) + std::countr_zero(bits));
        visit(TextSpan {start, next - start});
        if (next == end)
            return;
        start = next;
        bits &= bits - 1;
    }
}

/// True when @p text holds nothing but spaces (U+0020), or nothing at all. Such a
/// text gets no colours and no output; tabs and line breaks are not spaces.
bool IsBlankText(QStringView text);

} // namespace huevane
