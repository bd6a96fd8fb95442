#pragma once

#include "parse.h"

#include <QStringView>
#include <QTextBoundaryFinder>

namespace huevane {

/// Calls @p visit(TextSpan) for every character of @p text, in order, with the
/// span relative to @p text. A character is what a reader sees as one: an
/// extended grapheme cluster, so a surrogate pair, a letter with its combining
/// marks, a ZWJ emoji sequence or a flag is one character.
template <typename Visit>
void ForEachCharacter(QStringView text, Visit &&visit)
{
    // Below U+0300 no code point joins its neighbour into a cluster, and a line
    // never holds a CR LF pair, so such text is one character per code unit.
    bool simple = true;
    for (QChar c : text) {
        if (c.unicode() >= 0x300) {
            simple = false;
            break;
        }
    }
    if (simple) {
        for (qsizetype i = 0; i < text.size(); ++i)
            visit(TextSpan{i, 1});
        return;
    }

    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end > 0; end = finder.toNextBoundary()) {
        visit(TextSpan{start, end - start});
        start = end;
    }
}

/// The number of characters of @p text, counted as ForEachCharacter sees them.
qsizetype CountCharacters(QStringView text);

} // namespace huevane
