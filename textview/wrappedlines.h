#pragma once

#include "textview/textwidths.h"

#include <QFont>
#include <QHash>
#include <QString>
#include <QStringView>

#include <memory>
#include <vector>

struct UBreakIterator;

namespace huevane {

/// A text broken into the lines it is shown in at a given width. A paragraph
/// ends at a line break (engine/lineends.h); within it a line ends at the last
/// place Unicode's line breaking rules (ICU's line break iterator) allow where
/// its characters, spaces at its end not counted, still fit the width. A word
/// wider than the width breaks after its last character that fits, never
/// inside a character. Widths are measured shaped (TextWidths).
///
/// Lines are broken from the text's start as far as they are asked for: a
/// layout breaks the first EagerUnits code units only, and each question about
/// a line or a position further on breaks up to it (and a little beyond), so a
/// text of millions of characters costs, until it is scrolled through, what its
/// first screen costs. A change breaks the text again only from the line it
/// touches, and only until the lines agree with the old ones again, so typing
/// at the end of a very long line measures its last lines only.
///
/// The questions that break more are const, as what they fill is a cache of the
/// text's lines.
class WrappedLines
{
public:
    /// Tab stops every @p tabStop pixels, as a text box sets them by default.
    static constexpr qreal DefaultTabStop = 80;
    /// A layout breaks this many code units of the text at once (the whole of
    /// a shorter text); the rest when asked for.
    static constexpr qsizetype EagerUnits = 65536;

    WrappedLines();
    ~WrappedLines();
    WrappedLines(const WrappedLines &) = delete;
    WrappedLines &operator=(const WrappedLines &) = delete;

    /// Breaks @p text anew for @p font and @p width (in pixels; every line
    /// holds at least one character however narrow it is).
    void layout(const QString &text, const QFont &font, qreal width);

    /// Replaces the @p length code units at @p at with @p inserted. Any
    /// pre-edit text goes.
    void replace(qsizetype at, qsizetype length, const QString &inserted);

    /// Shows @p preedit, an input method's text that is not yet part of the
    /// text, at @p at: the lines around it are broken as if it stood there.
    /// Positions stay those of the text; a line break that would fall inside
    /// the pre-edit text falls before it.
    void setPreedit(qsizetype at, const QString &preedit);
    qsizetype preeditPosition() const { return m_preeditAt; }
    const QString &preedit() const { return m_preedit; }

    const QString &text() const { return m_text; }

    /// The number of lines, at least 1 (an empty text has one empty line):
    /// exact once the whole text is broken (isComplete()), until then the
    /// lines broken so far and an estimate of the rest, at as many code units
    /// a line as the broken ones hold. Breaks nothing.
    qsizetype count() const;

    /// True when the lines of the whole text are known.
    bool isComplete() const { return m_complete; }

    /// True when the text has a line @p line (0 or more), breaking up to it.
    bool exists(qsizetype line) const;

    /// The position in the text where line @p line (one that exists) starts.
    qsizetype start(qsizetype line) const;

    /// Where line @p line's characters end: before its line break, or where
    /// the next line starts when it was broken to fit (its spaces at the end
    /// belong to it).
    qsizetype end(qsizetype line) const;

    /// True when line @p line starts a paragraph: the first line, and every
    /// line after a line break.
    bool startsParagraph(qsizetype line) const;

    /// True when line @p line was broken to fit the width, not at a line break
    /// or the text's end.
    bool brokenToFit(qsizetype line) const
    {
        return exists(line + 1) && !startsParagraph(line + 1);
    }

    /// Where line @p line's characters end before the spaces it was broken
    /// after; end() for the last line of a paragraph.
    qsizetype contentEnd(qsizetype line) const;

    /// The direction of line @p line's paragraph, from its first strong
    /// character outside isolates, as Qt resolves a paragraph's direction
    /// (left to right when it has none).
    Qt::LayoutDirection direction(qsizetype line) const;

    /// The line that shows position @p position (0 to the text's length); a
    /// position where a long line was broken belongs to the line after it.
    qsizetype lineOf(qsizetype position) const;

    /// How many lines the last layout, change or pre-edit broke anew (not
    /// counting those broken later as they were asked for).
    qsizetype brokenLines() const { return m_broken; }

private:
    struct Source;
    struct Stop;
    Source source() const;
    qsizetype breakFrom(const Source &source, qsizetype first, const Stop &stop) const;
    void reach(qsizetype line, qsizetype position) const;
    qsizetype restartLine(qsizetype at) const;
    qsizetype lineLength(QStringView rest, bool endsParagraph) const;
    qsizetype cutWord(QStringView rest, qsizetype bodyEnd) const;
    qsizetype cutShaped(QStringView rest, qsizetype bodyEnd) const;
    qreal advanceOver(QStringView piece, qreal x, char16_t *previous) const;
    qsizetype paragraphStart(qsizetype line) const;
    void keepParagraphTo(qsizetype first);

    QString m_text;
    QString m_shown; // the text with the pre-edit text in it, while there is one
    qreal m_width = 0;
    qsizetype m_preeditAt = -1;
    QString m_preedit;
    qsizetype m_broken = 0;
    qreal m_unitsPerLine = 1; // the estimate for a text with no line broken yet

    // The lines broken so far: every start is a line's; without m_complete the
    // last line's end is not known yet.
    mutable std::vector<qsizetype> m_starts {0};
    mutable bool m_complete = true;
    mutable TextWidths m_widths;
    std::unique_ptr<UBreakIterator, void (*)(UBreakIterator *)> m_breaks;
    mutable QStringView m_window; // the text the break iterator holds
    // The paragraph the lines from firstLine to lastLine belong to, starting at start.
    struct Paragraph
    {
        qsizetype firstLine = -1, lastLine = -2, start = 0;
    };
    mutable Paragraph m_paragraph;
    mutable QHash<qsizetype, bool> m_rightToLeft; // by the paragraph's start
};

} // namespace huevane
