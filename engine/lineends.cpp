#include "lineends.h"

#include <algorithm>

namespace huevane {

qsizetype FindLineBreak(QStringView text, qsizetype from)
{
    const QChar *const begin = text.data();
    const QChar *const end = begin + text.size();
    const QChar *found = std::find_if(begin + std::clamp<qsizetype>(from, 0, text.size()), end,
                                      [](QChar c) { return StartsLineBreak(c); });
    // Inside a CR LF, the line break started one unit earlier: past it is the line.
    if (found != end && *found == u'\n' && found > begin && found[-1] == u'\r')
        return FindLineBreak(text, found - begin + 1);
    return found - begin;
}

QString WithLineBreaks(QStringView text, QStringView lineBreak)
{
    QString out;
    out.reserve(text.size());
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype found = FindLineBreak(text, at);
        out.append(text.sliced(at, found - at));
        if (found == text.size())
            break;
        out.append(lineBreak);
        at = found + LineBreakLength(text, found);
    }
    return out;
}

} // namespace huevane
