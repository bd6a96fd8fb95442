#pragma once

#include "textspan.h"

#include <QStringView>

#include <limits>
#include <memory>
#include <optional>

struct UBreakIterator;

namespace huevane {

/// Steps through the extended grapheme clusters of a text, one at a time, as
/// Unicode's rules (those of the ICU library the program is built with) find them.
/// Should ICU fail to load its rules, every code point is a cluster of its own.
class ClusterFinder
{
public:
    /// The most code units the finder hands ICU at a time: ICU counts in 32 bits.
    static constexpr qsizetype LargestWindow = std::numeric_limits<qint32>::max();

    /// Finds the clusters of @p text, which must outlive the finder. A text
    /// longer than @p window code units is searched a window at a time, each
    /// window starting where a cluster starts, so its clusters are those of the
    /// whole text; only a single cluster longer than the window is cut, at the
    /// window's end. @p window is at least 2 and at most LargestWindow.
    explicit ClusterFinder(QStringView text = {}, qsizetype window = LargestWindow);
    ~ClusterFinder();
    ClusterFinder(const ClusterFinder &) = delete;
    ClusterFinder &operator=(const ClusterFinder &) = delete;

    /// Starts over on @p text, which must outlive the finder.
    void setText(QStringView text);

    /// The next cluster as a span of the text; false after the last one.
    bool next(TextSpan &cluster);

    /// Closes a break iterator.
    struct IteratorCloser
    {
        void operator()(UBreakIterator *iterator) const;
    };

private:
    // Hands ICU the window of the text that starts at m_start.
    void openWindow();

    QStringView m_text;
    qsizetype m_window;
    std::unique_ptr<UBreakIterator, IteratorCloser> m_iterator;
    qsizetype m_start = 0;       // where the next cluster starts
    qsizetype m_windowStart = 0; // where the window ICU holds starts
    qsizetype m_windowEnd = 0;
};

/// True when the code unit @p c never joins a neighbour into a cluster, but for
/// CR before LF: it lies below U+0300, where Unicode has no marks, joiners or
/// prefixes, and its pictographs (U+00A9, U+00AE) join only after a joiner.
constexpr bool NeverJoins(QChar c)
{
    return c.unicode() < 0x300;
}

/// True when Unicode breaks between the code units @p before and @p after
/// whatever stands around them.
constexpr bool AlwaysBreaksBetween(QChar before, QChar after)
{
    return NeverJoins(before) && NeverJoins(after) && !(before == u'\r' && after == u'\n');
}

/// True when every code unit of @p text is a character of its own.
inline bool IsSimpleText(QStringView text)
{
    const qsizetype size = text.size();
    const QChar *const units = text.data();
    for (qsizetype i = 0; i < size; ++i) {
        if (!NeverJoins(units[i]) || (units[i] == u'\r' && i + 1 < size && units[i + 1] == u'\n'))
            return false;
    }
    return true;
}

/// Calls @p visit(TextSpan) for every character of @p text, in order, with the
/// span relative to @p text. A character is what a reader sees as one: an
/// extended grapheme cluster, so a surrogate pair, a letter with its combining
/// marks, a ZWJ emoji sequence, a flag or CR LF is one character.
template <typename Visit>
void ForEachCharacter(QStringView text, Visit &&visit)
{
    // Runs of code units that always break between them are taken one unit a
    // character; ICU finds the clusters of the pieces between such runs. Those
    // pieces start and end where a cluster does, and what follows a cluster's
    // start never depends on what comes before it, so their clusters are the
    // clusters of the whole text.
    const qsizetype size = text.size();
    if (IsSimpleText(text)) { // most lines: the quickest way through
        for (qsizetype i = 0; i < size; ++i)
            visit(TextSpan {i, 1});
        return;
    }
    const QChar *const units = text.data();
    std::optional<ClusterFinder> finder;
    qsizetype i = 0;
    while (i < size) {
        if (i + 1 == size ? units[i].unicode() < 0x300
                          : AlwaysBreaksBetween(units[i], units[i + 1])) {
            visit(TextSpan {i, 1});
            ++i;
            continue;
        }
        qsizetype end = i + 1;
        while (end < size && !AlwaysBreaksBetween(units[end - 1], units[end]))
            ++end;
        const QStringView piece = text.sliced(i, end - i);
        if (finder)
            finder->setText(piece);
        else
            finder.emplace(piece);
        for (TextSpan cluster; finder->next(cluster);)
            visit(TextSpan {i + cluster.start, cluster.length});
        i = end;
    }
}

/// The number of characters of @p text, counted as ForEachCharacter sees them.
qsizetype CountCharacters(QStringView text);

} // namespace huevane
