#include "preparedtext.h"

#include "characters.h"
#include "lineends.h"

#include <cstdlib>
#include <new>

namespace huevane {

namespace {

// A code unit that is a character of its own and ends no line: most of any text.
bool IsPlainUnit(char16_t u)
{
    return u < 0x300 && u != u'\n' && u != u'\r';
}

} // namespace

PreparedText::PreparedText()
    : m_lines {Line {0, 0, 0}}
{ }

PreparedText::PreparedText(QString text)
    : m_text(std::move(text))
{
    if (m_text.size() > MaxUnits)
        m_text.truncate(m_text[MaxUnits - 1].isHighSurrogate() ? MaxUnits - 1 : MaxUnits);
    const QChar *const units = m_text.constData();
    const qsizetype size = m_text.size();
    qsizetype start = 0;
    while (start < size) {
        // One pass finds the line's end and whether every unit is a character;
        // only a line with other units goes to the clusters' rules.
        qsizetype end = start;
        while (end < size && IsPlainUnit(units[end].unicode()))
            ++end;
        const bool simple = end == size || StartsLineBreak(units[end]);
        if (!simple)
            end = FindLineBreak(m_text, end);
        Line line {start, qint32(end - start), qint32(end - start)};
        if (!simple)
            markCharacters(line);
        m_lines.append(line);
        m_totalChars += line.characters;
        if (end == size)
            break;
        ++m_breaks;
        start = end + LineBreakLength(m_text, end);
    }
    if (m_lines.isEmpty())
        m_lines.append(Line {0, 0, 0});
}

void PreparedText::markCharacters(Line &line)
{
    if (!m_starts) {
        // calloc: the pages of lines that need no marks are never touched.
        const size_t words = size_t(m_text.size() + 63) / 64;
        auto *marks = static_cast<quint64 *>(std::calloc(words, sizeof(quint64)));
        if (!marks)
            throw std::bad_alloc();
        m_starts.reset(marks, std::free);
    }
    quint64 *const marks = m_starts.get();
    qint32 count = 0;
    ForEachCharacter(QStringView(m_text).sliced(line.start, line.length), [&](TextSpan c) {
        const qsizetype at = line.start + c.start;
        marks[at >> 6] |= quint64(1) << (at & 63);
        ++count;
    });
    line.characters = count;
}

bool IsBlankText(QStringView text)
{
    for (QChar c : text) {
        if (c != u' ')
            return false;
    }
    return true;
}

} // namespace huevane
