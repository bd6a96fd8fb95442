#include "wrappedlines.h"

#include "engine/lineends.h"
#include "textview/characterbounds.h"

#include <QFontMetricsF>

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
// A paragraph's end is looked for this far ahead at a time, so that a line of
// a long paragraph never costs a pass over the rest of it.
constexpr qsizetype Lookahead = WideWindow;
// Lines broken beyond those asked for, so that scrolling on does not break
// a line at a time.
constexpr qsizetype ExtraLines = 64;
// Lines broken past a change that still differ from the old ones, after which
// the rest is left to be broken when asked for.
constexpr qsizetype ChangeLines = 64;

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

// QString::isRightToLeft()'s rule for the paragraph from @p from to its line
// break, read only as far as its first strong character.
bool ParagraphIsRightToLeft(QStringView text, qsizetype from)
{
    int isolates = 0;
    for (qsizetype at = from; at < text.size(); ++at) {
        const QChar unit = text[at];
        if (StartsLineBreak(unit))
            return false;
        char32_t c = unit.unicode();
        if (unit.isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(unit, text[++at]);
        switch (QChar::direction(c)) {
        case QChar::DirRLI:
        case QChar::DirLRI:
        case QChar::DirFSI:
            ++isolates;
            break;
        case QChar::DirPDI:
            isolates = std::max(0, isolates - 1);
            break;
        case QChar::DirL:
            if (!isolates)
                return false;
            break;
        case QChar::DirR:
        case QChar::DirAL:
            if (!isolates)
                return true;
            break;
        default:
            break;
        }
    }
    return false;
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

    // Where position @p position of the text stands in the source.
    qsizetype at(qsizetype position) const
    {
        return preeditAt < 0 || position <= preeditAt ? position : position + preeditLength;
    }
};

// Where breaking stops short of the text's end, the old lines not agreeing:
// once it has found @p lines lines, @p past of them starting after @p position.
struct WrappedLines::Stop
{
    qsizetype lines = 0;
    qsizetype position = 0;
    qsizetype past = 1;
};

WrappedLines::WrappedLines()
    : m_breaks(OpenBreaks(), CloseBreaks)
{ }

WrappedLines::~WrappedLines() = default;

WrappedLines::Source WrappedLines::source() const
{
    if (m_preeditAt < 0)
        return Source {m_text};
    return Source {m_shown, m_preeditAt, m_preedit.size()};
}

void WrappedLines::layout(const QString &text, const QFont &font, qreal width)
{
    m_window = {};
    m_text = text;
    m_shown.clear();
    m_widths.setFont(font);
    m_width = width;
    m_unitsPerLine = std::max<qreal>(1, width / QFontMetricsF(font).averageCharWidth());
    m_preeditAt = -1;
    m_preedit.clear();
    m_rightToLeft.clear();
    m_paragraph = {};
    m_starts.assign(1, 0);
    m_complete = false;
    m_broken = breakFrom(source(), 0, Stop {0, EagerUnits, 1});
}

// The line to break again from for a change at @p at: the one before the
// change's, as a word made shorter may now fit it.
qsizetype WrappedLines::restartLine(qsizetype at) const
{
    qsizetype first = lineOf(at);
    if (first > 0 && !startsParagraph(first))
        --first;
    return first;
}

// A change breaks the lines again from line @p first on; those up to it keep
// their starts and their paragraph, so that a key typed at the end of a long
// paragraph does not walk back over all its lines to find where it starts.
void WrappedLines::keepParagraphTo(qsizetype first)
{
    if (m_paragraph.firstLine > first)
        m_paragraph = {};
    else
        m_paragraph.lastLine = std::min(m_paragraph.lastLine, first);
}

void WrappedLines::replace(qsizetype at, qsizetype length, const QString &inserted)
{
    if (m_preeditAt >= 0)
        setPreedit(-1, {});
    const qsizetype first = restartLine(at);
    m_window = {};
    m_text.replace(at, length, inserted);
    m_rightToLeft.clear();
    keepParagraphTo(first);
    const qsizetype agreeFrom = at + inserted.size();
    m_broken = breakFrom(Source {m_text, -1, 0, agreeFrom, inserted.size() - length}, first,
                         Stop {0, agreeFrom, ChangeLines});
}

void WrappedLines::setPreedit(qsizetype at, const QString &preedit)
{
    if (preedit.isEmpty() && m_preedit.isEmpty())
        return;
    const qsizetype before = m_preeditAt;
    const qsizetype after = preedit.isEmpty() ? -1 : at;
    const qsizetype first = restartLine(before < 0      ? after
                                            : after < 0 ? before
                                                        : std::min(before, after));
    m_window = {};
    m_preeditAt = after;
    m_preedit = preedit;
    m_shown = preedit.isEmpty() ? QString() : m_text.first(at) + preedit + m_text.sliced(at);
    keepParagraphTo(first);
    Source shown = source();
    shown.agreeFrom = std::max(before, after) + 1;
    m_broken = breakFrom(shown, first, Stop {0, shown.agreeFrom, ChangeLines});
}

qsizetype WrappedLines::breakFrom(const Source &source, qsizetype first, const Stop &stop) const
{
    const QStringView text = source.text;
    const qsizetype size = text.size();
    std::vector<qsizetype> fresh;
    size_t old = size_t(first) + 1;
    qsizetype at = source.at(m_starts[size_t(first)]);
    qsizetype paragraphEnd = -1; // where the paragraph at at ends, once found
    qsizetype clearTo = at;      // no line break before this position
    qsizetype past = 0;
    const auto keep = [&](bool complete) {
        m_starts.resize(size_t(first) + 1);
        m_starts.insert(m_starts.end(), fresh.begin(), fresh.end());
        m_complete = complete;
    };
    for (;;) {
        if (paragraphEnd < at) {
            paragraphEnd = -1;
            clearTo = std::max(clearTo, at);
        }
        qsizetype next = -1;
        for (bool further = paragraphEnd < 0 && clearTo - at < Lookahead / 2; next < 0;
             further = true) {
            if (further && paragraphEnd < 0) {
                const qsizetype to = std::min(size, clearTo + Lookahead);
                const qsizetype found = FindLineBreak(text.first(to), clearTo);
                if (found < to || to == size)
                    paragraphEnd = found;
                else
                    clearTo = to;
            }
            const qsizetype restEnd = paragraphEnd >= 0 ? paragraphEnd : clearTo;
            const qsizetype length =
                at < restEnd ? lineLength(text.sliced(at, restEnd - at), paragraphEnd >= 0) : 0;
            if (length >= 0)
                next = at + length;
        }
        if (paragraphEnd >= 0 && next >= paragraphEnd) {
            if (paragraphEnd >= size) {
                keep(true);
                return qsizetype(fresh.size()) + 1;
            }
            next = paragraphEnd + LineBreakLength(text, paragraphEnd);
        }
        at = next;
        const qsizetype position = source.position(next);
        if (position > (fresh.empty() ? m_starts[size_t(first)] : fresh.back()))
            fresh.push_back(position);
        if (source.agreeFrom >= 0 && position >= source.agreeFrom) {
            const qsizetype was = position - source.delta;
            while (old < m_starts.size() && m_starts[old] < was)
                ++old;
            if (old < m_starts.size() && m_starts[old] == was) {
                // The lines agree from here on: the old ones stand, moved by the change.
                for (size_t k = old; k < m_starts.size(); ++k)
                    m_starts[k] += source.delta;
                m_starts.erase(m_starts.begin() + first + 1, m_starts.begin() + qsizetype(old) + 1);
                m_starts.insert(m_starts.begin() + first + 1, fresh.begin(), fresh.end());
                return qsizetype(fresh.size());
            }
        }
        if (position > stop.position)
            ++past;
        if (qsizetype(fresh.size()) >= stop.lines && past >= stop.past) {
            keep(false);
            return qsizetype(fresh.size());
        }
    }
}

void WrappedLines::reach(qsizetype line, qsizetype position) const
{
    if (m_complete || (qsizetype(m_starts.size()) > line && m_starts.back() > position))
        return;
    const qsizetype first = qsizetype(m_starts.size()) - 1;
    breakFrom(source(), first, Stop {line - first + ExtraLines, position, ExtraLines});
}

// The code units of @p rest, the text from a line's start to its paragraph's
// end (or, without @p endsParagraph, to some place before it), that the line
// holds; -1 when it may hold more than rest.
qsizetype WrappedLines::lineLength(QStringView rest, bool endsParagraph) const
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
        const bool toRestEnd = m_window.data() + m_window.size() == rest.data() + rest.size();
        const bool whole = toRestEnd && endsParagraph;
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
        if (toRestEnd)
            return -1; // the paragraph goes on past rest
        window = std::max(window, windowEnd);
    }
}

// Where a line that starts with a word wider than the width breaks inside it:
// after the last character that fits, and after the first one at least.
qsizetype WrappedLines::cutWord(QStringView rest, qsizetype bodyEnd) const
{
    qreal x = 0;
    char16_t previous = 0;
    for (qsizetype at = 0; at < bodyEnd; ++at) {
        const char16_t c = rest[at].unicode();
        const qreal pair = previous ? m_widths.pair(previous, c) : 0;
        if (!TextWidths::IsSimple(c) || (at + 1 < bodyEnd && !TextWidths::IsSimple(rest[at + 1]))
            || std::isnan(pair))
            return cutShaped(rest, bodyEnd);
        const qreal right = x + pair + m_widths.advance(c);
        if (at > 0 && right + m_widths.overhang(c) > m_width)
            return at;
        x = right;
        previous = c;
    }
    return bodyEnd;
}

// The same for a word that is not simple: its characters are measured as
// parts of the whole word, shaped as the layout of its paragraph shapes them
// (a joining letter takes its joined form), a window of it at a time.
qsizetype WrappedLines::cutShaped(QStringView rest, qsizetype bodyEnd) const
{
    for (qsizetype window = FirstWindow / 2;; window *= 2) {
        const qsizetype size = std::min(bodyEnd, window);
        std::vector<qsizetype> ends;
        for (qsizetype at = NextCharacter(rest, 0); at <= size; at = NextCharacter(rest, at)) {
            ends.push_back(std::min(at, bodyEnd));
            if (at >= bodyEnd)
                break;
        }
        const std::vector<qreal> widths = m_widths.prefixes(rest.first(size), ends, DefaultTabStop);
        for (size_t k = 1; k < ends.size(); ++k) {
            if (widths[k] > m_width)
                return ends[k - 1];
        }
        if (size == bodyEnd)
            return bodyEnd;
    }
}

// The x where @p piece ends when it starts at @p x; @p previous is the simple
// character before it (0 for none), and becomes the last one of the piece.
qreal WrappedLines::advanceOver(QStringView piece, qreal x, char16_t *previous) const
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

qsizetype WrappedLines::count() const
{
    const qsizetype known = qsizetype(m_starts.size());
    if (m_complete)
        return known;
    // The lines before the last one known are whole; the rest is estimated.
    const qsizetype broken = m_starts.back();
    const qreal perLine = broken > 0 ? qreal(broken) / qreal(known - 1) : m_unitsPerLine;
    const qreal rest = std::ceil(qreal(m_text.size() - broken) / perLine);
    return known - 1 + std::max<qsizetype>(1, qsizetype(rest));
}

bool WrappedLines::exists(qsizetype line) const
{
    reach(line, -1);
    return line >= 0 && line < qsizetype(m_starts.size());
}

qsizetype WrappedLines::start(qsizetype line) const
{
    reach(line, -1);
    Q_ASSERT(line >= 0 && line < qsizetype(m_starts.size()));
    return m_starts[size_t(std::min(line, qsizetype(m_starts.size()) - 1))];
}

qsizetype WrappedLines::end(qsizetype line) const
{
    if (!exists(line + 1))
        return m_text.size();
    const qsizetype next = start(line + 1);
    if (!startsParagraph(line + 1))
        return next;
    return next >= 2 && LineBreakLength(m_text, next - 2) == 2 ? next - 2 : next - 1;
}

bool WrappedLines::startsParagraph(qsizetype line) const
{
    return line == 0 || StartsLineBreak(m_text[start(line) - 1]);
}

qsizetype WrappedLines::contentEnd(qsizetype line) const
{
    qsizetype end = this->end(line);
    if (brokenToFit(line)) {
        const qsizetype from = start(line);
        while (end > from && m_text[end - 1].isSpace())
            --end;
    }
    return end;
}

// Where the paragraph of line @p line starts. The lines of a long paragraph
// are walked back over once; the paragraph found is kept for the lines near it.
qsizetype WrappedLines::paragraphStart(qsizetype line) const
{
    for (qsizetype k = line;; --k) {
        if (k >= m_paragraph.firstLine && k <= m_paragraph.lastLine) {
            m_paragraph.lastLine = std::max(m_paragraph.lastLine, line);
            return m_paragraph.start;
        }
        if (startsParagraph(k)) {
            m_paragraph = {k, line, start(k)};
            return m_paragraph.start;
        }
    }
}

Qt::LayoutDirection WrappedLines::direction(qsizetype line) const
{
    const qsizetype from = paragraphStart(line);
    auto known = m_rightToLeft.constFind(from);
    if (known == m_rightToLeft.constEnd())
        known = m_rightToLeft.insert(from, ParagraphIsRightToLeft(m_text, from));
    return *known ? Qt::RightToLeft : Qt::LeftToRight;
}

qsizetype WrappedLines::lineOf(qsizetype position) const
{
    reach(0, position);
    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), position);
    return qsizetype(after - m_starts.begin()) - 1;
}

} // namespace huevane
