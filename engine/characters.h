#pragma once

#include "parse.h"

#include <QStringView>
#include <QTextBoundaryFinder>

namespace huevane {

/// Steps through the extended grapheme clusters of a text, one at a time.
class ClusterFinder
{
public:
    explicit ClusterFinder(QStringView text);

    /// The next cluster as a span of the text; false after the last one.
    bool next(TextSpan &cluster);

private:
    bool isRegionalIndicator(qsizetype position) const;
    bool mustJoin(qsizetype start, qsizetype position) const;

    QStringView m_text;
    QTextBoundaryFinder m_finder;
    qsizetype m_start = 0;
};

/// True when every code unit of @p text lies below U+0300. No such code point
/// joins its neighbour into a cluster, and a line never holds a CR LF pair, so
/// such a line is one character per code unit.
inline bool IsSimpleText(QStringView text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x300)
            return false;
    }
    return true;
}

/// Calls @p visit(TextSpan) for every character of @p text, in order, with the
/// span relative to @p text. A character is what a reader sees as one: an
/// extended grapheme cluster, so a surrogate pair, a letter with its combining
/// marks, a ZWJ emoji sequence or a flag is one character.
template <typename Visit>
void ForEachCharacter(QStringView text, Visit &&visit)
{
    if (IsSimpleText(text)) {
        for (qsizetype i = 0; i < text.size(); ++i)
            visit(TextSpan {i, 1});
        return;
    }

    ClusterFinder finder(text);
    TextSpan cluster;
    while (finder.next(cluster))
        visit(cluster);
}

/// The number of characters of @p text, counted as ForEachCharacter sees them.
qsizetype CountCharacters(QStringView text);

} // namespace huevane
