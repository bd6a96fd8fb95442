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
/// A change breaks the text again only from the line it touches, and only
/// until the lines agree with the old ones again, so typing at the end of a
/// very long line measures its last lines only.
class WrappedLines
{
public:
    /// Tab stops every @p tabStop pixels, as a text box sets them by default.
    static constexpr qreal DefaultTabStop = 80;

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
    const QFont &font() const { return m_widths.font(); }
    qreal width() const { return m_width; }

    /// The number of lines, at least 1 (an empty text has one empty line).
    qsizetype count() const { return qsizetype(m_starts.size()); }

    /// The position in the text where line @p line starts.
    qsizetype start(qsizetype line) const { return m_starts[size_t(line)]; }

    /// Where line @p line's characters end: before its line break, or where
    /// the next line starts when it was broken to fit (its spaces at the end
    /// belong to it).
    qsizetype end(qsizetype line) const;

    /// True when line @p line starts a paragraph: the first line, and every
    /// line after a line break.
    bool startsParagraph(qsizetype line) const;

    /// The direction of line @p line's paragraph, from its first strong
    /// character (left to right when it has none).
    Qt::LayoutDirection direction(qsizetype line) const;

    /// The line that shows position @p position (0 to the text's length); a
    /// position where a long line was broken belongs to the line after it.
    qsizetype lineOf(qsizetype position) const;

    /// How many lines the last layout, change or pre-edit broke anew.
    qsizetype brokenLines() const { return m_broken; }

private:
    struct Source;
    void breakFrom(const Source &source, qsizetype first);
    qsizetype lineLength(QStringView rest);
    qsizetype cutWord(QStringView rest, qsizetype bodyEnd);
    qreal advanceOver(QStringView piece, qreal x, char16_t *previous);

    QString m_text;
    TextWidths m_widths;
    qreal m_width = 0;
    std::vector<qsizetype> m_starts {0};
    qsizetype m_preeditAt = -1;
    QString m_preedit;
    qsizetype m_broken = 0;
    std::unique_ptr<UBreakIterator, void (*)(UBreakIterator *)> m_breaks;
    QStringView m_window;                         // the text the break iterator holds
    mutable QHash<qsizetype, bool> m_rightToLeft; // by the paragraph's start
};

} // namespace huevane
