#pragma once

#include <QString>
#include <QStringView>

namespace huevane {

/// What ends a line of text, for the text boxes, the window and huevane-html
/// alike: CR LF, and a lone LF, CR, U+2028 LINE SEPARATOR or U+2029 PARAGRAPH
/// SEPARATOR. A line break is never a character of a line: it is not coloured,
/// drawn or counted.

/// True when the code unit @p c may start a line break.
constexpr bool StartsLineBreak(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'\n' || u == u'\r' || u == u'\u2028' || u == u'\u2029';
}

/// The code units of the line break that starts at @p at of @p text: 2 for CR LF,
/// 1 for a lone LF, CR, U+2028 or U+2029, and 0 where none starts (past the end
/// too). A CR LF is one line break, so none starts at its LF.
constexpr qsizetype LineBreakLength(QStringView text, qsizetype at)
{
    if (at < 0 || at >= text.size() || !StartsLineBreak(text[at]))
        return 0;
    if (text[at] == u'\n' && at > 0 && text[at - 1] == u'\r')
        return 0;
    return text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n' ? 2 : 1;
}

/// Where the first line break at or after @p from starts in @p text, or the
/// text's size when there is none.
qsizetype FindLineBreak(QStringView text, qsizetype from);

/// @p text with every line break written as @p lineBreak.
QString WithLineBreaks(QStringView text, QStringView lineBreak);

} // namespace huevane
