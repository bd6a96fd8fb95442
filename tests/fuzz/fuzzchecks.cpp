#include "fuzzchecks.h"

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

void CheckEntriesCoverLines(const GradientSettings &settings)
{
    const QList<CharColour> &entries = settings.charColours;
    Check(entries.size() == settings.totalChars, "one entry for every character");
    qsizetype next = 0;
    for (const TextSpan &line : settings.lines) {
        qsizetype at = line.start;
        while (next < entries.size() && entries[next].start < line.end()) {
            Check(entries[next].start == at, "entries follow one another without gap or overlap");
            Check(entries[next].length >= 1, "an entry holds a character");
            at += entries[next].length;
            Check(at <= line.end(), "an entry stays inside its line");
            // A surrogate pair is never split between two entries.
            Check(!QChar::isHighSurrogate(settings.text[at - 1].unicode()) || at == line.end()
                      || !QChar::isLowSurrogate(settings.text[at].unicode()),
                  "a surrogate pair stays in one entry");
            ++next;
        }
        Check(at == line.end(), "the entries of a line cover all of it");
    }
    Check(next == entries.size(), "every entry belongs to a line");
}

void CheckHtmlGivesBackText(const GradientSettings &settings, QStringView html)
{
    const QStringView opening = settings.upperCaseTags
        ? (settings.noQuotes ? u"<FONT COLOR=#" : u"<FONT COLOR=\"#")
        : (settings.noQuotes ? u"<font color=#" : u"<font color=\"#");
    const QStringView middle = settings.noQuotes ? u">" : u"\">";
    const QStringView closing = settings.upperCaseTags ? u"</FONT>" : u"</font>";
    constexpr QStringView hex = u"0123456789ABCDEF";

    QStringList lines;
    QString line;
    qsizetype entry = 0;
    qsizetype at = 0;
    while (at < html.size()) {
        const QStringView rest = html.sliced(at);
        if (rest.startsWith(HtmlLineEnd)) {
            lines.append(line);
            line.clear();
            at += HtmlLineEnd.size();
            continue;
        }
        Check(rest.startsWith(opening), "a character starts with its font tag");
        Check(rest.size() > opening.size() + 6 + middle.size(), "the font tag is complete");
        quint32 rgb = 0;
        for (qsizetype i = 0; i < 6; ++i) {
            const qsizetype digit = hex.indexOf(rest[opening.size() + i]);
            Check(digit >= 0, "the colour is six upper-case hexadecimal digits");
            rgb = rgb << 4 | quint32(digit);
        }
        Check(rest.sliced(opening.size() + 6).startsWith(middle), "the font tag closes");
        const qsizetype character = opening.size() + 6 + middle.size();
        // The character is not empty, and no character holds a closing tag.
        const qsizetype close = rest.indexOf(closing, character + 1);
        Check(close > character, "the character is followed by its closing tag");
        line += rest.sliced(character, close - character);

        Check(entry < settings.charColours.size(), "no more tags than entries");
        const CharColour &c = settings.charColours[entry++];
        Check(rgb == (quint32(c.red) << 16 | quint32(c.green) << 8 | c.blue),
              "the tag carries its entry's colour");
        Check(rest.sliced(character, close - character) == c.character(settings.text),
              "the tag holds its entry's character");
        at += close + closing.size();
    }
    Check(line.isEmpty(), "the last line ends with a line end");
    Check(entry == settings.charColours.size(), "a tag for every entry");

    QStringList expected;
    for (qsizetype i = 0; i < settings.lines.size(); ++i)
        expected.append(settings.line(i).toString());
    Check(lines == expected, "the HTML without its tags and line ends gives back the lines");
}

} // namespace huevane::fuzz
