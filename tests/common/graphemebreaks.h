#pragma once

#include "engine/textspan.h"

#include <QFile>
#include <QList>
#include <QString>

namespace huevane::test {

/// One line of Unicode's conformance test for grapheme clusters.
struct GraphemeBreakCase
{
    QByteArray where;         ///< the line's number and its code points, for messages
    QString text;             ///< the code points of the line
    QList<TextSpan> clusters; ///< Unicode's characters, spans of text in order
};

/// Unicode's conformance test for grapheme clusters, as Debian's unicode-data
/// installs it; the one place that names it.
inline const char GraphemeBreakTestPath[] = "/usr/share/unicode/auxiliary/GraphemeBreakTest.txt";

/// Every test line of GraphemeBreakTestPath; none when it cannot be read.
inline QList<GraphemeBreakCase> ReadGraphemeBreakTest()
{
    QFile file(QString::fromLatin1(GraphemeBreakTestPath));
    QList<GraphemeBreakCase> cases;
    for (int number = 1; (file.isOpen() || file.open(QIODevice::ReadOnly)) && !file.atEnd();
         ++number) {
        const QString line = QString::fromUtf8(file.readLine()).section(u'#', 0, 0).trimmed();
        GraphemeBreakCase c {(u"line %1: "_qs.arg(number) + line).toUtf8(), {}, {}};
        for (const QString &token : line.split(u' ', Qt::SkipEmptyParts)) {
            const char32_t codePoint = token.toUInt(nullptr, 16);
            const qsizetype start = c.clusters.isEmpty() ? 0 : c.clusters.last().end();
            if (token == u"÷" && c.text.size() > start)
                c.clusters.append({start, c.text.size() - start});
            else if (token != u"÷" && token != u"×") // a surrogate stays alone
                c.text += QChar::requiresSurrogates(codePoint)
                    ? QString::fromUcs4(&codePoint, 1)
                    : QString(QChar(char16_t(codePoint)));
        }
        if (!c.clusters.isEmpty())
            cases.append(c);
    }
    return cases;
}

} // namespace huevane::test
