#include "characters.h"

#include <unicode/ubrk.h>

namespace huevane {

namespace {

// Opening a break iterator loads and copies its rules, which costs far more than
// the few characters of a typical line; each thread keeps the last one closed
// for the next finder, which only hands it a new text.
thread_local std::unique_ptr<UBreakIterator, ClusterFinder::IteratorCloser> spareIterator;

} // namespace

void ClusterFinder::IteratorCloser::operator()(UBreakIterator *iterator) const
{
    ubrk_close(iterator);
}

ClusterFinder::ClusterFinder(QStringView text, qsizetype window)
    : m_text(text)
    , m_window(qBound<qsizetype>(2, window, LargestWindow))
    , m_iterator(std::move(spareIterator))
{
    if (!m_iterator) {
        UErrorCode status = U_ZERO_ERROR;
        m_iterator.reset(ubrk_open(UBRK_CHARACTER, "", nullptr, 0, &status));
        if (U_FAILURE(status))
            m_iterator.reset();
    }
}

void ClusterFinder::setText(QStringView text)
{
    m_text = text;
    m_start = m_windowStart = m_windowEnd = 0;
}

ClusterFinder::~ClusterFinder()
{
    if (!spareIterator)
        spareIterator = std::move(m_iterator);
}

void ClusterFinder::openWindow()
{
    m_windowStart = m_start;
    qsizetype length = qMin(m_window, m_text.size() - m_start);
    // A window never ends between the halves of a surrogate pair.
    if (m_start + length < m_text.size() && m_text[m_start + length - 1].isHighSurrogate()
        && m_text[m_start + length].isLowSurrogate())
        --length;
    m_windowEnd = m_start + length;
    UErrorCode status = U_ZERO_ERROR;
    ubrk_setText(m_iterator.get(), reinterpret_cast<const UChar *>(m_text.utf16() + m_start),
                 static_cast<int32_t>(length), &status);
    if (U_FAILURE(status))
        m_iterator.reset();
}

bool ClusterFinder::next(TextSpan &cluster)
{
    if (m_start >= m_text.size())
        return false;

    if (m_iterator && m_start >= m_windowEnd)
        openWindow();
    if (!m_iterator) {
        // Without ICU's rules (its data could not be loaded) a code point is a character.
        const bool pair = m_start + 1 < m_text.size() && m_text[m_start].isHighSurrogate()
            && m_text[m_start + 1].isLowSurrogate();
        cluster = TextSpan {m_start, pair ? 2 : 1};
        m_start += cluster.length;
        return true;
    }

    const auto nextBoundary = [this] {
        const int32_t boundary = ubrk_next(m_iterator.get());
        return boundary == UBRK_DONE ? m_windowEnd : m_windowStart + boundary;
    };
    qsizetype end = nextBoundary();
    if (end == m_windowEnd && end < m_text.size() && m_start > m_windowStart) {
        // The cluster may go on past the window: look again from its start.
        openWindow();
        if (m_iterator)
            end = nextBoundary();
    }
    cluster = TextSpan {m_start, end - m_start};
    m_start = end;
    return true;
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
