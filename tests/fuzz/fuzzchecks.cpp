#include "fuzzchecks.h"

#include <array>
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

void CheckOutputGivesBackText(const GradientSettings &settings, const OutputOptions &options,
                              QStringView output)
{
    // The words of the format, in the case asked for; the CSS stays lower case.
    const auto word = [&](const char *lower) {
        return options.upperCaseTags ? QString(lower).toUpper() : QString(lower);
    };
    const QString quote = options.noQuotes ? "" : "\"";
    const bool ansi = options.format == OutputFormat::Ansi;
    const QString before =
        std::array {word("<font color=") + quote + '#', word("<span style=") + quote + "color:#",
                    word("[color=#"), QString("\x1b[38;2;")}[int(options.format)];
    const QString after = ansi ? "m" : options.format == OutputFormat::BBCode ? "]" : quote + '>';
    const auto opening = [&](const CharColour &c) {
        return before
            + QString::asprintf(ansi ? "%d;%d;%d" : "%02X%02X%02X", c.red, c.green, c.blue) + after;
    };
    const QString closing =
        word(std::array {"</font>", "</span>", "[/color]", ""}[int(options.format)]);
    const QString lineEnd = std::array {"<br>\r\n", "<br>\r\n", "\r\n", "\n"}[int(options.format)];

    const QList<CharColour> &entries = settings.charColours;
    QString expected;
    qsizetype entry = 0;
    for (const TextSpan &line : settings.lines) {
        QString open; // the opening of the run still open, if any
        qsizetype at = line.start;
        for (; entry < entries.size() && entries[entry].start < line.end(); ++entry) {
            const CharColour &c = entries[entry];
            // The entries follow one another through the line, none of them ending
            // past it or between the halves of a surrogate pair.
            Check(c.start == at && c.length > 0 && (at += c.length) <= line.end()
                      && (at == line.end() || !settings.text[at - 1].isHighSurrogate()
                          || !settings.text[at].isLowSurrogate()),
                  "the entries of a line hold its characters, each whole, in order");
            const QString tag = opening(c);
            if (!open.isEmpty() && (!(options.merge || ansi) || open != tag)) {
                expected += closing;
                open.clear();
            }
            if (open.isEmpty())
                expected += open = tag;
            QString character = c.character(settings.text).toString();
            if (options.escape)
                character.replace(u'&', "&amp;").replace(u'<', "&lt;").replace(u'>', "&gt;");
            expected += character;
        }
        Check(at == line.end(), "the entries of a line cover all of it");
        if (!open.isEmpty())
            expected += ansi ? "\x1b[0m" : closing;
        expected += lineEnd;
    }
    Check(entry == entries.size() && entry == settings.totalChars, "one entry for every character");
    if (IsBlankText(settings.text))
        expected.clear();
    Check(output == expected, "the output is every entry's character in its colour's tags");
}

} // namespace huevane::fuzz
