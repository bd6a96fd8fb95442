#include "wrappedlines.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace huevane {

void WrappedLines::layout(const QString &text, const QFont &font, qreal width)
{
    if (font != m_font || m_ascii[u'x'] == 0) {
        m_font = font;
        const QFontMetricsF metrics(font);
        for (char16_t c = 0; c < 128; ++c)
            m_ascii[c] = c < u' ' ? 0 : metrics.horizontalAdvance(QChar(c));
        m_others.clear();
    }
    m_text = text;
    m_width = width;
    m_starts.assign(1, 0);
    const qsizetype length = text.size();
    const QChar *units = text.constData();
    qsizetype from = 0;
    for (qsizetype at = 0; at < length; ++at) {
        const char16_t c = units[at].unicode();
        if (c != u'\n' && c != u'\r')
            continue;
        breakParagraph(from, at);
        if (c == u'\r' && at + 1 < length && units[at + 1] == u'\n')
            ++at;
        from = at + 1;
        m_starts.push_back(from);
    }
    breakParagraph(from, length);
}

// The advance of the character at @p at, and in @p units the code units it takes.
qreal WrappedLines::advance(qsizetype at, qsizetype *units) const
{
    const char16_t c = std::as_const(m_text)[at].unicode();
    *units = 1;
    if (c < 128)
        return m_ascii[c];
    char32_t code = c;
    if (QChar::isHighSurrogate(c) && at + 1 < m_text.size() && m_text.at(at + 1).isLowSurrogate()) {
        code = QChar::surrogateToUcs4(c, m_text.at(at + 1).unicode());
        *units = 2;
    }
    auto known = m_others.constFind(code);
    if (known != m_others.constEnd())
        return *known;
    qreal width = 0;
    switch (QChar::category(code)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_Enclosing:
    case QChar::Other_Format:
        break; // drawn over or between their neighbours
    default:
        width = QFontMetricsF(m_font).horizontalAdvance(QString::fromUcs4(&code, 1));
    }
    m_others.insert(code, width);
    return width;
}

void WrappedLines::breakParagraph(qsizetype from, qsizetype to)
{
    const QChar *units = std::as_const(m_text).constData();
    qsizetype lineStart = from;
    qsizetype afterSpace = -1; // where the line may break after its last space
    qreal x = 0;
    for (qsizetype at = from; at < to;) {
        const char16_t c = units[at].unicode();
        qsizetype n = 1;
        qreal width;
        if (c == u' ') {
            x += m_ascii[c];
            afterSpace = ++at;
            continue;
        } else if (c == u'\t') {
            x = (std::floor(x / DefaultTabStop) + 1) * DefaultTabStop;
            afterSpace = ++at;
            continue;
        } else {
            width = c < 128 ? m_ascii[c] : advance(at, &n);
        }
        if (x + width > m_width && at > lineStart && width > 0) {
            lineStart = afterSpace > lineStart ? afterSpace : at;
            m_starts.push_back(lineStart);
            x = 0;
            for (qsizetype k = lineStart, step = 1; k < at; k += step)
                x += advance(k, &step);
        }
        x += width;
        at += n;
    }
}

qsizetype WrappedLines::end(qsizetype line) const
{
    if (line + 1 >= count())
        return m_text.size();
    // Only a line break ends a line with CR or LF.
    qsizetype end = start(line + 1);
    if (m_text.at(end - 1) == u'\n')
        --end;
    if (end > start(line) && m_text.at(end - 1) == u'\r')
        --end;
    return end;
}

qsizetype WrappedLines::lineOf(qsizetype position) const
{
    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), position);
    return qsizetype(after - m_starts.begin()) - 1;
}

} // namespace huevane
