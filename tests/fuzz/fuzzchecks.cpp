#include "fuzzchecks.h"

#include <functional>
#include <limits>
#include <utility>
#include <cstdio>
#include <cstdlib>

namespace huevane::fuzz {

void Check(bool condition, const char *what)
{
    if (condition)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

namespace {

// The number of the xterm palette colour (16 to 255) nearest to @p c, found by
// trying them all, the first one kept on a tie.
int NearestPaletteNumber(const CharColour &c)
{
    static const int levels[6] = {0, 95, 135, 175, 215, 255};
    int best = 0;
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (int n = 16; n < 256; ++n) {
        const int grey = 8 + 10 * (n - 232);
        const int r = n < 232 ? levels[(n - 16) / 36] : grey;
        const int g = n < 232 ? levels[(n - 16) / 6 % 6] : grey;
        const int b = n < 232 ? levels[(n - 16) % 6] : grey;
        const qint64 distance =
            (c.red - r) * (c.red - r) + (c.green - g) * (c.green - g) + (c.blue - b) * (c.blue - b);
        if (distance < bestDistance) {
            best = n;
            bestDistance = distance;
        }
    }
    return best;
}

// A format as plain words: a run is opening(c), its characters escaped, then
// closing(c), or lineClosing(c) at the end of a line.
struct PlainFormat
{
    std::function<QString(const CharColour &)> opening, closing, lineClosing;
    std::function<QString(QString)> escape = [](QString s) { return s; };
    QString lineEnd;
    QString head, tail;       // around the whole output
    bool objects = false;     // JSON objects: separated by commas, the line end between lines
    bool alwaysMerge = false; // a code only where the colour changes, merge or not
};

PlainFormat PlainFormatOf(const OutputOptions &options)
{
    // The words of the format, in the case asked for; the CSS stays lower case.
    const auto word = [&](const char *lower) {
        return options.upperCaseTags ? QString(lower).toUpper() : QString(lower);
    };
    const QString quote = options.noQuotes ? "" : "\"";
    const auto hex = [](const char *before, const CharColour &c, const char *after) {
        return before + QString::asprintf("%02X%02X%02X", c.red, c.green, c.blue) + after;
    };
    const auto none = [](const CharColour &) { return QString(); };
    PlainFormat f;
    switch (options.format) {
    case OutputFormat::Font:
    case OutputFormat::Span: {
        const bool font = options.format == OutputFormat::Font;
        const QString before =
            font ? word("<font color=") + quote + '#' : word("<span style=") + quote + "color:#";
        f.opening = [=](const CharColour &c) { return before + hex("", c, "") + quote + '>'; };
        f.closing =
            f.lineClosing = [=](const CharColour &) { return word(font ? "</font>" : "</span>"); };
        f.lineEnd = "<br>\r\n";
        if (options.escape)
            f.escape = [](QString s) {
                return s.replace(u'&', "&amp;").replace(u'<', "&lt;").replace(u'>', "&gt;");
            };
        break;
    }
    case OutputFormat::BBCode:
        f.opening = [=](const CharColour &c) { return word("[color=") + hex("#", c, "]"); };
        f.closing = f.lineClosing = [=](const CharColour &) { return word("[/color]"); };
        f.lineEnd = "\r\n";
        break;
    case OutputFormat::Ansi:
    case OutputFormat::Ansi256:
        f.opening = [=](const CharColour &c) {
            return options.format == OutputFormat::Ansi
                ? QString::asprintf("\x1b[38;2;%d;%d;%dm", c.red, c.green, c.blue)
                : QString::asprintf("\x1b[38;5;%dm", NearestPaletteNumber(c));
        };
        f.closing = none;
        f.lineClosing = [](const CharColour &) { return QString("\x1b[0m"); };
        f.lineEnd = "\n";
        f.alwaysMerge = true;
        break;
    case OutputFormat::MinecraftHex:
    case OutputFormat::MinecraftSection:
    case OutputFormat::MiniMessage:
        f.opening = [=](const CharColour &c) {
            if (options.format == OutputFormat::MinecraftHex)
                return hex("&#", c, "");
            if (options.format == OutputFormat::MiniMessage)
                return hex("<#", c, ">").toLower();
            QString codes = QStringLiteral("\u00A7x");
            for (const QChar digit : hex("", c, "").toLower())
                codes += u'\u00A7' + QString(digit);
            return codes;
        };
        f.closing = f.lineClosing = none;
        f.lineEnd = "\n";
        if (options.format == OutputFormat::MiniMessage)
            f.escape = [](QString s) { return s.replace(u'\\', "\\\\").replace(u'<', "\\<"); };
        break;
    case OutputFormat::MinecraftJson:
        f.opening = [](const CharColour &) { return QString("{\"text\":\""); };
        f.closing = f.lineClosing = [=](const CharColour &c) {
            return hex("\",\"color\":\"#", c, "\"}").toLower();
        };
        f.escape = [](QString s) {
            QString escaped;
            for (const QChar unit : s) {
                if (unit.unicode() < 0x20)
                    escaped += QString::asprintf("\\u%04X", unit.unicode());
                else
                    escaped += (unit == u'"' || unit == u'\\' ? "\\" : "") + QString(unit);
            }
            return escaped;
        };
        f.lineEnd = "{\"text\":\"\\n\"}";
        f.head = "{\"text\":\"\",\"extra\":[";
        f.tail = "]}\n";
        f.objects = true;
        break;
    }
    return f;
}

} // namespace

QList<TextSpan> LinesOf(const QString &text)
{
    // A regular expression would be plainer, but finds nothing in a text with a
    // lone surrogate.
    QList<TextSpan> lines;
    qsizetype start = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const qsizetype length = text.sliced(at).startsWith(u"\r\n") ? 2
            : QStringView(u"\r\n\u2028\u2029").contains(text[at])    ? 1
                                                                     : 0;
        if (length > 0) {
            lines.append({start, at - start});
            start = at + length;
            at = start - 1;
        }
    }
    if (start < text.size() || lines.isEmpty())
        lines.append({start, text.size() - start});
    return lines;
}

void CheckOutputGivesBackText(const QString &text, const QList<CharColour> &entries,
                              const OutputOptions &options, QStringView output)
{
    const PlainFormat f = PlainFormatOf(options);
    const bool merge = options.merge || f.alwaysMerge;
    bool afterObject = false;
    const auto comma = [&] { return std::exchange(afterObject, true) ? "," : ""; };

    const QList<TextSpan> lines = LinesOf(text);
    QString expected = f.head;
    qsizetype entry = 0;
    for (const TextSpan &line : lines) {
        if (f.objects && &line != &lines.front())
            expected += comma() + f.lineEnd;
        QString open; // the run still open, by its opening and closing, if any
        QString lineClosing;
        qsizetype at = line.start;
        for (; entry < entries.size() && entries[entry].start < line.end(); ++entry) {
            const CharColour &c = entries[entry];
            // The entries follow one another through the line, none of them ending
            // past it or between the halves of a surrogate pair.
            Check(c.start == at && c.length > 0 && (at += c.length) <= line.end()
                      && (at == line.end() || !text[at - 1].isHighSurrogate()
                          || !text[at].isLowSurrogate()),
                  "the entries of a line hold its characters, each whole, in order");
            const QString run = f.opening(c) + f.closing(c);
            if (!open.isEmpty() && (!merge || open != run)) {
                expected += f.closing(entries[entry - 1]);
                open.clear();
            }
            if (open.isEmpty()) {
                expected += (f.objects ? comma() : "") + f.opening(c);
                open = run;
            }
            lineClosing = f.lineClosing(c);
            expected += f.escape(c.character(text).toString());
        }
        Check(at == line.end(), "the entries of a line cover all of it");
        if (!open.isEmpty())
            expected += lineClosing;
        if (!f.objects)
            expected += f.lineEnd;
    }
    expected += f.tail;
    Check(entry == entries.size(), "one entry for every character");
    if (IsBlankText(text))
        expected.clear();
    Check(output == expected, "the output is every entry's character in its colour's codes");
}

} // namespace huevane::fuzz
