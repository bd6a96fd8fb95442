#include "characters.h"

namespace huevane {

ClusterFinder::ClusterFinder(QStringView text)
    : m_text(text)
    , m_finder(QTextBoundaryFinder::Grapheme, text)
{ }

bool ClusterFinder::next(TextSpan &cluster)
{
    if (m_start >= m_text.size())
        return false;

    qsizetype end;
    if (isRegionalIndicator(m_start)) {
        // QTextBoundaryFinder pairs regional indicators wrongly after an emoji
        // (it splits the flag, or pairs the second indicator with the third), so
        // flags are paired here: two indicators from the start of their run,
        // with any marks that follow them.
        end = m_start + 2;
        if (isRegionalIndicator(end))
            end += 2;
        m_finder.setPosition(end);
        if (end < m_text.size() && !isRegionalIndicator(end) && !m_finder.isAtBoundary())
            end = m_finder.toNextBoundary();
    } else {
        m_finder.setPosition(m_start);
        end = m_finder.toNextBoundary();
    }

    cluster = TextSpan {m_start, end - m_start};
    m_start = end;
    return true;
}

bool ClusterFinder::isRegionalIndicator(qsizetype position) const
{
    // U+1F1E6 to U+1F1FF, as a surrogate pair.
    return position + 1 < m_text.size() && m_text[position].unicode() == 0xD83C
        && m_text[position + 1].unicode() >= 0xDDE6 && m_text[position + 1].unicode() <= 0xDDFF;
}

qsizetype CountCharacters(QStringView text)
{
    if (IsSimpleText(text))
        return text.size();
    qsizetype count = 0;
    ForEachCharacter(text, [&count](TextSpan) { ++count; });
    return count;
}

} // namespace huevane
