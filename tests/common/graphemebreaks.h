#pragma once

#include "engine/parse.h"

#include <QFile>
#include <QList>
#include <QString>

namespace huevane::test {

/// One line of Unicode's conformance test for grapheme clusters: a text and
/// where Unicode breaks it into characters.
struct GraphemeBreakCase
{
    int lineNumber = 0;       ///< in the file, from 1
    QString source;           ///< the line as the file writes it, without its comment
    QString text;             ///< the code points of the line
    QList<TextSpan> clusters; ///< Unicode's characters, spans of text in order
};

/// Unicode's conformance test for grapheme clusters, as Debian's unicode-data
/// installs it; the one place that names it.
inline QString GraphemeBreakTestPath()
{
    return QStringLiteral("/usr/share/unicode/auxiliary/GraphemeBreakTest.txt");
}

/// Reads every test line of GraphemeBreakTestPath(). Empty when the file cannot
/// be read; @p error then says why.
inline QList<GraphemeBreakCase> ReadGraphemeBreakTest(QString *error)
{
    QFile file(GraphemeBreakTestPath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = file.fileName() + u": "_qs + file.errorString() + u" (install unicode-data)"_qs;
        return {};
    }
    QList<GraphemeBreakCase> cases;
    for (int number = 1; !file.atEnd(); ++number) {
        const QString line = QString::fromUtf8(file.readLine());
        GraphemeBreakCase c {number, line.section(u'#', 0, 0).trimmed(), {}, {}};
        if (c.source.isEmpty())
            continue;
        qsizetype start = 0;
        for (const QString &token : c.source.split(u' ', Qt::SkipEmptyParts)) {
            if (token == u"÷" || token == u"×") {
                if (token == u"÷" && c.text.size() > start) {
                    c.clusters.append({start, c.text.size() - start});
                    start = c.text.size();
                }
                continue;
            }
            bool ok = false;
            const char32_t codePoint = token.toUInt(&ok, 16);
            if (!ok || codePoint > 0x10FFFF) {
                *error = u"line %1 cannot be read: "_qs.arg(number) + line;
                return {};
            }
            if (QChar::requiresSurrogates(codePoint)) {
                c.text += QChar(QChar::highSurrogate(codePoint));
                c.text += QChar(QChar::lowSurrogate(codePoint));
            } else {
                c.text += QChar(char16_t(codePoint)); // a surrogate stays alone
            }
        }
        if (start != c.text.size() || c.text.isEmpty()) {
            *error = u"line %1 does not end in a break: "_qs.arg(number) + line;
            return {};
        }
        cases.append(c);
    }
    return cases;
}

} // namespace huevane::test
