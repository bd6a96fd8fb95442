#include "fuzzchecks.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

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

namespace {

// The pieces of a format: a run of one colour is opening, the colour, middle,
// its characters, then closing, or lineClosing at the end of its line.
struct FormatWords
{
    QString opening;
    QString middle;
    QString closing;
    QString lineClosing;
    QString lineEnd;
};

FormatWords wordsOf(const OutputOptions &options)
{
    const bool up = options.upperCaseTags;
    const QString quote = options.noQuotes ? "" : "\"";
    switch (options.format) {
    case OutputFormat::Font: {
        const QString closing = up ? "</FONT>" : "</font>";
        return {(up ? "<FONT COLOR=" : "<font color=") + quote + "#", quote + ">", closing, closing,
                "<br>\r\n"};
    }
    case OutputFormat::Span: {
        const QString closing = up ? "</SPAN>" : "</span>";
        return {(up ? "<SPAN STYLE=" : "<span style=") + quote + "color:#", quote + ">", closing,
                closing, "<br>\r\n"};
    }
    case OutputFormat::BBCode:
        return {up ? "[COLOR=#" : "[color=#", "]", up ? "[/COLOR]" : "[/color]",
                up ? "[/COLOR]" : "[/color]", "\r\n"};
    case OutputFormat::Ansi:
        break;
    }
    return {"\x1b[38;2;", "m", "", "\x1b[0m", "\n"};
}

// Reads a colour at @p at: six upper-case hexadecimal digits, or for ansi three
// decimal numbers 0 to 255 between semicolons; as 0xRRGGBB.
quint32 readColour(QStringView output, qsizetype &at, bool decimal)
{
    const QStringView digits = decimal ? u"0123456789" : u"0123456789ABCDEF";
    quint32 rgb = 0;
    for (int component = 0; component < 3; ++component) {
        if (decimal && component > 0) {
            Check(at < output.size() && output[at] == u';', "components are apart by ';'");
            ++at;
        }
        const qsizetype start = at;
        quint32 value = 0;
        while (at < output.size() && at - start < (decimal ? 3 : 2) && digits.contains(output[at]))
            value = value * quint32(digits.size()) + quint32(digits.indexOf(output[at++]));
        Check(at - start == 2 || (decimal && at > start), "a component has its digits");
        Check(value <= 255, "a component is a byte");
        rgb = rgb << 8 | value;
    }
    return rgb;
}

// Reads @p length code units of the text at @p at, and with @p escape the
// entities that stand for &, < and >.
QString readCharacter(QStringView output, qsizetype &at, quint32 length, bool escape)
{
    QString character;
    for (quint32 unit = 0; unit < length; ++unit) {
        Check(at < output.size(), "the output holds every character");
        const QChar c = output[at];
        if (escape) {
            Check(c != u'<' && c != u'>', "with escape no < or > of the text is left");
            if (c == u'&') {
                const QStringView rest = output.sliced(at);
                const qsizetype known = rest.startsWith(u"&amp;")          ? 5
                    : rest.startsWith(u"&lt;") || rest.startsWith(u"&gt;") ? 4
                                                                           : 0;
                Check(known > 0, "with escape & starts &amp;, &lt; or &gt;");
                character += known == 5 ? u'&' : rest[1] == u'l' ? u'<' : u'>';
                at += known;
                continue;
            }
        }
        character += c;
        ++at;
    }
    return character;
}

} // namespace

void CheckOutputGivesBackText(const GradientSettings &settings, const OutputOptions &options,
                              QStringView output)
{
    const FormatWords words = wordsOf(options);
    const bool merge = options.merge || options.format == OutputFormat::Ansi;
    const QList<CharColour> &entries = settings.charColours;
    qsizetype at = 0;
    const auto expect = [&](QStringView word, const char *what) {
        Check(output.sliced(at).startsWith(word), what);
        at += word.size();
    };
    qsizetype entry = 0;
    for (qsizetype i = 0; i < settings.lines.size(); ++i) {
        QString line;
        std::optional<quint32> open;
        for (; entry < entries.size() && entries[entry].start < settings.lines[i].end(); ++entry) {
            const CharColour &c = entries[entry];
            const quint32 rgb = quint32(c.red) << 16 | quint32(c.green) << 8 | c.blue;
            if (open && (!merge || *open != rgb)) {
                expect(words.closing, "a run closes where the next begins");
                open.reset();
            }
            if (!open) {
                expect(words.opening, "a run starts with its opening");
                open = readColour(output, at, options.format == OutputFormat::Ansi);
                expect(words.middle, "the opening ends after the colour");
                Check(*open == rgb, "every character is in its entry's colour");
            }
            line += readCharacter(output, at, c.length, options.escape);
        }
        if (open)
            expect(words.lineClosing, "the last run of a line closes");
        expect(words.lineEnd, "every line ends with a line end");
        Check(line == settings.line(i), "the output without its tags gives back the line");
    }
    Check(entry == entries.size(), "every entry belongs to a line");
    Check(at == output.size(), "nothing follows the last line end");
}

} // namespace huevane::fuzz
