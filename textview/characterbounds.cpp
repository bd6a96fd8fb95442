#include "characterbounds.h"

#include "engine/characters.h"

#include <algorithm>

namespace huevane {

namespace {

// Characters are found between places where one always starts, since what
// comes before such a place never joins what follows it.
qsizetype SafeBefore(QStringView text, qsizetype at)
{
    while (at > 0 && at < text.size() && !AlwaysBreaksBetween(text[at - 1], text[at]))
        --at;
    return std::clamp<qsizetype>(at, 0, text.size());
}

qsizetype SafeAfter(QStringView text, qsizetype at)
{
    while (at > 0 && at < text.size() && !AlwaysBreaksBetween(text[at - 1], text[at]))
        ++at;
    return std::clamp<qsizetype>(at, 0, text.size());
}

// Calls @p visit(start) for every character start from the safe place before
// @p from up to the safe place after @p to, until it returns false.
template <typename Visit>
void Starts(QStringView text, qsizetype from, qsizetype to, Visit &&visit)
{
    const qsizetype begin = SafeBefore(text, from);
    const qsizetype end = SafeAfter(text, to);
    ClusterFinder finder(text.sliced(begin, end - begin));
    for (TextSpan cluster; finder.next(cluster);) {
        if (!visit(begin + cluster.start))
            return;
    }
    visit(end);
}

} // namespace

qsizetype NextCharacter(QStringView text, qsizetype at)
{
    if (at >= text.size())
        return text.size();
    if (at + 1 == text.size() || AlwaysBreaksBetween(text[at], text[at + 1]))
        return at + 1;
    qsizetype next = text.size();
    Starts(text, at, at + 1, [&](qsizetype start) {
        if (start <= at)
            return true;
        next = start;
        return false;
    });
    return next;
}

qsizetype PreviousCharacter(QStringView text, qsizetype at)
{
    if (at <= 0)
        return 0;
    at = std::min(at, text.size());
    if (AlwaysBreaksBetween(text[at - 1], at < text.size() ? text[at] : QChar(u' '))
        && (at < 2 || AlwaysBreaksBetween(text[at - 2], text[at - 1])))
        return at - 1;
    qsizetype previous = 0;
    Starts(text, at - 1, at - 1, [&](qsizetype start) {
        if (start >= at)
            return false;
        previous = start;
        return true;
    });
    return previous;
}

} // namespace huevane
