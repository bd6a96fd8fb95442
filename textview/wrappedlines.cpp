#include "wrappedlines.h"

#include "engine/lineends.h"
#include "textview/characterbounds.h"

#include <unicode/ubrk.h>

#include <algorithm>
#include <cmath>

namespace huevane {

namespace {

// ICU is handed this many code units of a line at first, twice as many when a
// line holds more.
constexpr qsizetype FirstWindow = 256;
// ICU is handed this much of a long paragraph at once, for many lines.
constexpr qsizetype WideWindow = 65536;
// Places found this near a window's end are looked for again in a longer one.
constexpr qsizetype WindowContext = 64;

// Spaces at a line's end stand past the width.
bool IsTrailingSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

void CloseBreaks(UBreakIterator *iterator)
{
    ubrk_close(iterator);
}

UBreakIterator *OpenBreaks()
{
    UErrorCode status = U_ZERO_ERROR;
    UBreakIterator *iterator = ubrk_open(UBRK_LINE, "", nullptr, 0, &status);
    return U_SUCCESS(status) ? iterator : nullptr;
}

} // namespace

// What a change breaks anew: the text, the pre-edit text in it, and from where
// its lines may agree with the old ones.
struct WrappedLines::Source
{
    QStringView text;
    qsizetype preeditAt = -1; // where the pre-edit stands in text, -1 without one
    qsizetype preeditLength = 0;
    qsizetype agreeFrom = -1; // from this position of the text on; -1: never
    qsizetype delta = 0;      // what the change added to every later position

    // The position of the text that @p at of the source stands for.
    qsizetype position(qsizetype at) const
    {
        if (preeditAt < 0 || at <= preeditAt)
            return at;
        return at < preeditAt + preeditLength ? preeditAt : at - preeditLength;
    }
};

WrappedLines::WrappedLines()
    : m_breaks(OpenBreaks(), CloseBreaks)
{ }

WrappedLines::~WrappedLines() = default;

void WrappedLines::layout(const QString &text, const QFont &font, qreal width)
{
    m_window = {};
    m_text = text;
    m_widths.setFont(font);
    m_width = width;
    m_preeditAt = -1;
    m_preedit.clear();
    m_rightToLeft.clear();
    m_starts.assign(1, 0);
    breakFrom(Source {m_text}, 0);
}

void WrappedLines::replace(qsizetype at, qsizetype length, const QString &inserted)
{
    if (m_preeditAt >= 0)
        setPreedit(-1, {});
    m_window = {};
    m_text.replace(at, length, inserted);
    m_rightToLeft.clear();
    qsizetype first = lineOf(at);
    if (first > 0 && !startsParagraph(first))
        --first; // a word made shorter may now fit the line above
    breakFrom(Source {m_text, -1, 0, at + inserted.size(), inserted.size() - length}, first);
}

void WrappedLines::setPreedit(qsizetype at, const QString &preedit)
{
    if (preedit.isEmpty() && m_preedit.isEmpty())
        return;
    const qsizetype before = m_preeditAt;
    m_preeditAt = preedit.isEmpty() ? -1 : at;
    m_preedit = preedit;
    const qsizetype from = before < 0 ? m_preeditAt
        : m_preeditAt < 0             ? before
                                      : std::min(before, at);
    qsizetype first = lineOf(from);
    if (first > 0 && !startsParagraph(first))
        --first;
    const qsizetype agreeFrom = std::max(before, m_preeditAt) + 1;
    m_window = {};
    if (m_preedit.isEmpty()) {
        breakFrom(Source {m_text, -1, 0, agreeFrom, 0}, first);
        return;
    }
    const QString shown = m_text.first(at) + preedit + m_text.sliced(at);
    m_window = {};
    breakFrom(Source {shown, at, preedit.size(), agreeFrom, 0}, first);
    m_window = {};
}

void WrappedLines::breakFrom(const Source &source, qsizetype first)
{
    const QStringView text = source.text;
    const qsizetype size = text.size();
    std::vector<qsizetype> fresh;
    size_t old = size_t(first) + 1;
    qsizetype at = m_starts[size_t(first)];
    qsizetype paragraphEnd = -1;
    for (;;) {
        if (paragraphEnd < at)
            paragraphEnd = FindLineBreak(text, at);
        qsizetype next =
            at < paragraphEnd ? at + lineLength(text.sliced(at, paragraphEnd - at)) : paragraphEnd;
        if (next >= paragraphEnd) {
            if (paragraphEnd >= size)
                break;
            next = paragraphEnd + LineBreakLength(text, paragraphEnd);
        }
        at = next;
        const qsizetype position = source.position(next);
        if (position > (fresh.empty() ? m_starts[size_t(first)] : fresh.back()))
            fresh.push_back(position);
        if (source.agreeFrom < 0 || position < source.agreeFrom)
            continue;
        const qsizetype was = position - source.delta;
        while (old < m_starts.size() && m_starts[old] < was)
            ++old;
        if (old < m_starts.size() && m_starts[old] == was) {
            // The lines agree from here on: the old ones stand, moved by the change.
            for (size_t k = old; k < m_starts.size(); ++k)
                m_starts[k] += source.delta;
            m_starts.erase(m_starts.begin() + first + 1, m_starts.begin() + qsizetype(old) + 1);
            m_starts.insert(m_starts.begin() + first + 1, fresh.begin(), fresh.end());
            m_broken = qsizetype(fresh.size());
            return;
        }
    }
    m_starts.resize(size_t(first) + 1);
    m_starts.insert(m_starts.end(), fresh.begin(), fresh.end());
    m_broken = qsizetype(fresh.size()) + 1;
}

// The code units of @p rest, the text from a line's start to its paragraph's
// end, that the line holds.
qsizetype WrappedLines::lineLength(QStringView rest)
{
    // ICU keeps a window of the paragraph for many lines in a row; the places
    // it finds near the window's end could depend on what follows it, so a
    // line reaching there takes a window of its own, twice as long each time.
    const qsizetype offset = rest.data() - m_window.data();
    const bool inWindow = m_breaks && !m_window.isEmpty() && offset >= 0 && offset < m_window.size()
        && m_window.data() + m_window.size() <= rest.data() + rest.size();
    for (qsizetype window = inWindow ? 0 : std::min(rest.size(), FirstWindow);;
         window = std::min(rest.size(), std::max(2 * window, FirstWindow))) {
        qsizetype base = offset; // where rest starts in the window
        if (window > 0 || !inWindow) {
            UErrorCode status = U_ZERO_ERROR;
            const qsizetype size = std::min(rest.size(), std::max(window, WideWindow));
            if (m_breaks)
                ubrk_setText(m_breaks.get(), rest.utf16(), int32_t(size), &status);
            if (!m_breaks || U_FAILURE(status)) {
                m_window = {};
                return cutWord(rest, rest.size());
            }
            m_window = rest.first(size);
            base = 0;
        }
        const qsizetype windowEnd = m_window.size() - base; // in rest
        const bool whole = m_window.data() + m_window.size() == rest.data() + rest.size();
        const qsizetype trusted = whole ? windowEnd : windowEnd - WindowContext;
        qreal x = 0;
        char16_t previous = 0;
        qsizetype from = 0;
        bool more = false;
        for (int32_t found = ubrk_following(m_breaks.get(), int32_t(base)); found != UBRK_DONE;
             found = ubrk_next(m_breaks.get())) {
            const qsizetype to = found - base;
            if (to > trusted || (to == windowEnd && !whole)) {
                // Past what the window can tell: the line needs more of the
                // text, unless what it holds is too wide already.
                char16_t last = previous;
                if (advanceOver(rest.sliced(from, to - from), x, &last) <= m_width) {
                    more = true;
                    break;
                }
                return from > 0 ? from : cutWord(rest, to);
            }
            qsizetype bodyEnd = to;
            while (bodyEnd > from && IsTrailingSpace(rest[bodyEnd - 1]))
                --bodyEnd;
            char16_t last = previous;
            const qreal right = advanceOver(rest.sliced(from, bodyEnd - from), x, &last);
            if (bodyEnd > from && right + (last ? m_widths.overhang(last) : 0) > m_width)
                return from > 0 ? from : cutWord(rest, bodyEnd);
            x = advanceOver(rest.sliced(bodyEnd, to - bodyEnd), right, &last);
            previous = last;
            from = to;
        }
        if (!more)
            return rest.size();
        if (window >= rest.size())
            return rest.size();
        window = std::max(window, windowEnd);
    }
}

// Where a line that starts with a word wider than the width breaks inside it:
// after the last character that fits, and after the first one at least.
qsizetype WrappedLines::cutWord(QStringView rest, qsizetype bodyEnd)
{
    qreal x = 0;
    char16_t previous = 0;
    bool summed = true; // every character so far simple, and none joined
    for (qsizetype at = 0; at < bodyEnd;) {
        const qsizetype next = std::min(NextCharacter(rest, at), bodyEnd);
        const char16_t c = rest[at].unicode();
        qreal right = 0;
        if (summed && next == at + 1 && TextWidths::IsSimple(c)
            && !std::isnan(previous ? m_widths.pair(previous, c) : 0)) {
            right = x + (previous ? m_widths.pair(previous, c) : 0) + m_widths.advance(c);
            previous = c;
        } else {
            summed = false;
            previous = 0;
            right = m_widths.measure(rest.first(next));
        }
        if (at > 0 && right + (previous ? m_widths.overhang(previous) : 0) > m_width)
            return at;
        x = right;
        at = next;
    }
    return bodyEnd;
}

// The x where @p piece ends when it starts at @p x; @p previous is the simple
// character before it (0 for none), and becomes the last one of the piece.
qreal WrappedLines::advanceOver(QStringView piece, qreal x, char16_t *previous)
{
    const qreal start = x;
    const char16_t before = *previous;
    for (const QChar unit : piece) {
        const char16_t c = unit.unicode();
        if (c == u'\t') {
            x = (std::floor(x / DefaultTabStop) + 1) * DefaultTabStop;
            *previous = 0;
            continue;
        }
        const qreal pair = *previous && TextWidths::IsSimple(c) ? m_widths.pair(*previous, c) : 0;
        if (!TextWidths::IsSimple(c) || std::isnan(pair)) {
            // Shaped whole, a run between tabs at a time.
            x = start;
            *previous = before;
            for (qsizetype from = 0; from < piece.size();) {
                qsizetype tab = piece.indexOf(u'\t', from);
                if (tab < 0)
                    tab = piece.size();
                if (tab > from)
                    x += m_widths.shaped(piece.sliced(from, tab - from));
                if (tab < piece.size())
                    x = (std::floor(x / DefaultTabStop) + 1) * DefaultTabStop;
                from = tab + 1;
            }
            *previous = 0;
            return x;
        }
        x += pair + m_widths.advance(c);
        *previous = c;
    }
    return x;
}

qsizetype WrappedLines::end(qsizetype line) const
{
    if (line + 1 >= count())
        return m_text.size();
    const qsizetype next = start(line + 1);
    if (!startsParagraph(line + 1))
        return next;
    return next >= 2 && m_text[next - 2] == u'\r' && m_text[next - 1] == u'\n' ? next - 2
                                                                               : next - 1;
}

bool WrappedLines::startsParagraph(qsizetype line) const
{
    return line == 0 || StartsLineBreak(m_text[start(line) - 1]);
}

Qt::LayoutDirection WrappedLines::direction(qsizetype line) const
{
    while (!startsParagraph(line))
        --line;
    const qsizetype from = start(line);
    auto known = m_rightToLeft.constFind(from);
    if (known == m_rightToLeft.constEnd()) {
        const QStringView text(m_text);
        known = m_rightToLeft.insert(
            from, text.sliced(from, FindLineBreak(text, from) - from).isRightToLeft());
    }
    return *known ? Qt::RightToLeft : Qt::LeftToRight;
}

qsizetype WrappedLines::lineOf(qsizetype position) const
{
    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), position);
    return qsizetype(after - m_starts.begin()) - 1;
}

} // namespace huevane
