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
    // For Indic, Thai, Tibetan, Khmer, Myanmar and Sinhala text the finder
    // tailors its boundaries to the script's syllables, and it applies that to
    // anything that follows the script's letters too: an emoji after Hindi text
    // falls apart into its surrogate halves, a skin tone or a mark into pieces.
    // Such boundaries are taken back.
    while (end < m_text.size() && mustJoin(m_start, end)) {
        m_finder.setPosition(end);
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

namespace {

char32_t codePointAt(QStringView text, qsizetype position)
{
    const QChar c = text[position];
    if (c.isHighSurrogate() && position + 1 < text.size() && text[position + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(c, text[position + 1]);
    return c.unicode();
}

char32_t codePointBefore(QStringView text, qsizetype position)
{
    const QChar c = text[position - 1];
    if (c.isLowSurrogate() && position >= 2 && text[position - 2].isHighSurrogate())
        return QChar::surrogateToUcs4(text[position - 2], c);
    return c.unicode();
}

qsizetype codePointSize(char32_t codePoint)
{
    return codePoint >= 0x10000 ? 2 : 1;
}

constexpr char32_t ZeroWidthJoiner = 0x200D;

// Grapheme_Cluster_Break Control: nothing joins onto it.
bool isControl(char32_t codePoint)
{
    switch (QChar::category(codePoint)) {
    case QChar::Other_Control:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
    case QChar::Other_Surrogate:
        return true;
    case QChar::Other_Format:
        return codePoint != 0x200C && codePoint != ZeroWidthJoiner
            && !(codePoint >= 0xE0020 && codePoint <= 0xE007F);
    default:
        return false;
    }
}

// Grapheme_Cluster_Break Extend or ZWJ: joins onto whatever comes before it
// (marks, joiners, emoji skin tones, tag characters).
bool isExtend(char32_t codePoint)
{
    const QChar::Category category = QChar::category(codePoint);
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing
        || codePoint == 0x200C || codePoint == ZeroWidthJoiner
        || (codePoint >= 0x1F3FB && codePoint <= 0x1F3FF)
        || (codePoint >= 0xE0020 && codePoint <= 0xE007F);
}

// The blocks that hold Extended_Pictographic code points: emoji and the symbols
// that ZWJ sequences are made of.
bool isPictographic(char32_t codePoint)
{
    return (codePoint >= 0x1F000 && codePoint <= 0x1FAFF)
        || (codePoint >= 0x2600 && codePoint <= 0x27BF)
        || (codePoint >= 0x2300 && codePoint <= 0x23FF)
        || (codePoint >= 0x2B00 && codePoint <= 0x2BFF) || codePoint == 0x00A9
        || codePoint == 0x00AE || codePoint == 0x203C || codePoint == 0x2049 || codePoint == 0x2122
        || codePoint == 0x2139 || (codePoint >= 0x2194 && codePoint <= 0x21AA)
        || codePoint == 0x3030 || codePoint == 0x303D || codePoint == 0x3297 || codePoint == 0x3299;
}

} // namespace

bool ClusterFinder::mustJoin(qsizetype start, qsizetype position) const
{
    // Never inside a surrogate pair.
    if (m_text[position].isLowSurrogate() && m_text[position - 1].isHighSurrogate())
        return true;
    const char32_t before = codePointBefore(m_text, position);
    if (isControl(before))
        return false;
    const char32_t next = codePointAt(m_text, position);
    if (isExtend(next))
        return true;
    // A pictograph, marks, a joiner: the next pictograph belongs to it.
    if (before != ZeroWidthJoiner || !isPictographic(next))
        return false;
    qsizetype at = position - 1;
    while (at > start) {
        const char32_t c = codePointBefore(m_text, at);
        if (isPictographic(c))
            return true;
        if (!isExtend(c) || c == ZeroWidthJoiner)
            return false;
        at -= codePointSize(c);
    }
    return false;
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
