#include "fuzzchecks.h"

#include "engine/colourspaces.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <utility>

namespace huevane::fuzz {

void Check(bool condition, const char *what)
{
    if (condition)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

namespace {

// The index of the colour of @p palette (0xRRGGBB each) nearest to @p c, in OKLab
// or by the sum of the squared differences of the components, found by trying
// each, the first one kept on a tie.
int Nearest(const CharColour &c, const std::vector<quint32> &palette, bool oklab = true)
{
    const auto coordinates = [oklab](int r, int g, int b) {
        return oklab ? FromRgb(ColourSpace::Oklab, quint8(r), quint8(g), quint8(b))
                     : Coordinates {double(r), double(g), double(b)};
    };
    const Coordinates x = coordinates(c.red, c.green, c.blue);
    int best = 0;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < palette.size(); ++i) {
        const Coordinates y =
            coordinates(palette[i] >> 16, palette[i] >> 8 & 255, palette[i] & 255);
        const double d = (x[0] - y[0]) * (x[0] - y[0]) + (x[1] - y[1]) * (x[1] - y[1])
            + (x[2] - y[2]) * (x[2] - y[2]);
        if (d < bestDistance)
            best = int(i), bestDistance = d;
    }
    return best;
}

// The xterm palette's colours 16 to 255: the 6x6x6 cube, then 24 greys.
const std::vector<quint32> xterm = [] {
    const int levels[6] = {0, 95, 135, 175, 215, 255};
    std::vector<quint32> colours;
    for (int n = 0; n < 240; ++n) {
        const int grey = 8 + 10 * (n - 216);
        colours.push_back(n < 216 ? levels[n / 36] << 16 | levels[n / 6 % 6] << 8 | levels[n % 6]
                                  : grey * 0x010101);
    }
    return colours;
}();

// A format's words written plainly, apart from the table of formats. In opening
// and closing, %H and %h stand for the colour as RRGGBB and rrggbb, %r, %g and %b
// for its components in decimal, %x, %m, %d and %k for its number in the 256-colour,
// mIRC, Discord and classic Minecraft palettes, %S for § before each digit of
// rrggbb, and %s for the styles the format writes in each run. A style is words
// for %s, or "on|off" around each line's characters.
struct PlainRow
{
    const char *name, *opening, *closing, *lineEnd;
    std::vector<std::pair<char16_t, const char *>> escapes;
    std::vector<const char *> styles; // by Style
    const char *lineClose = "";       // after a line's characters
    const char *head = "", *tail = "";
    bool alwaysMerge = false;
};

const std::vector<std::pair<char16_t, const char *>> entities {
    {u'&', "&amp;"}, {u'<', "&lt;"}, {u'>', "&gt;"}, {u'"', "&quot;"}, {u'\'', "&apos;"}};
const std::vector<const char *> tags {"<b>|</b>", "<i>|</i>", "<u>|</u>", "<s>|</s>"},
    brackets {"[b]|[/b]", "[i]|[/i]", "[u]|[/u]", "[s]|[/s]"},
    sgr {"\x1b[1m|", "\x1b[3m|", "\x1b[4m|", "\x1b[9m|"}, minecraft {"&l", "&o", "&n", "&m", "&k"},
    section {"\u00A7l", "\u00A7o", "\u00A7n", "\u00A7m", "\u00A7k"};
const std::vector<std::pair<char16_t, const char *>> xmlText(entities.begin(),
                                                             entities.begin() + 3);

// clang-format off
const PlainRow plainRows[] = {
    {"font", "<font color=\"#%H\">", "</font>", "<br>\r\n", {}, tags},
    {"span", "<span style=\"color:#%H%s\">", "</span>", "<br>\r\n", {}, {";font-weight:bold", ";font-style:italic", ";text-decoration:underline", ";text-decoration:line-through"}},
    {"bbcode", "[color=#%H]", "[/color]", "\r\n", {}, brackets},
    {"ansi", "\x1b[38;2;%r;%g;%bm", "", "\n", {}, sgr, "\x1b[0m", "", "", true},
    {"ansi256", "\x1b[38;5;%xm", "", "\n", {}, sgr, "\x1b[0m", "", "", true},
    {"minecraft-hex", "&#%H%s", "", "\n", {}, minecraft},
    {"minecraft-section", "\u00A7x%S%s", "", "\n", {}, section},
    {"minimessage", "<#%h>", "", "\n", {{u'\\', "\\\\"}, {u'<', "\\<"}}, {"<b>|", "<i>|", "<u>|", "<st>|", "<obf>|"}},
    {"minecraft-json", "{\"text\":\"", "\",\"color\":\"#%h\"%s}", "{\"text\":\"\\n\"}", {{u'"', "\\\""}, {u'\\', "\\\\"}}, {",\"bold\":true", ",\"italic\":true", ",\"underlined\":true", ",\"strikethrough\":true", ",\"obfuscated\":true"}, "", "{\"text\":\"\",\"extra\":[", "]}\n"},
    {"minecraft-legacy", "\u00A7%k%s", "", "\n", {}, section, "", "", "", true},
    {"textmeshpro", "<color=#%H>", "</color>", "\n", {}, tags},
    {"godot", "[color=#%h]", "[/color]", "\n", {{u'[', "[lb]"}, {u']', "[rb]"}}, brackets},
    {"roblox", "<font color=\"#%H\">", "</font>", "\n", entities, tags},
    {"terraria", "[c/%H:", "]", "\n", {{u']', "\\]"}}, {}},
    {"factorio", "[color=#%h]", "[/color]", "\n", {}, {}},
    {"starbound", "^#%h;", "", "^reset;\n", {}, {}},
    {"libgdx", "[#%h]", "", "[]\n", {{u'[', "[["}}, {}},
    {"wow", "|cff%h", "|r", "\n", {{u'|', "||"}}, {}},
    {"irc", "\x03%m", "", "\x0F\n", {}, {"\x02|", "\x1D|", "\x1F|", "\x1E|"}, "", "", "", true},
    {"discord", "\x1b[0;%s%dm", "", "\n", {}, {"1;", "", "4;"}, "", "```ansi\n", "```", true},
    {"pango", "<span foreground=\"#%h\"%s>", "</span>", "\n", xmlText, {" weight=\"bold\"", " style=\"italic\"", " underline=\"single\"", " strikethrough=\"true\""}},
    {"svg", "<tspan fill=\"#%h\"%s>", "</tspan>", "\n", xmlText, {" font-weight=\"bold\"", " font-style=\"italic\"", " text-decoration=\"underline\"", " text-decoration=\"line-through\""}, "</tspan>", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100%%\" height=\"100%%\">\n<rect width=\"100%%\" height=\"100%%\" fill=\"#%h\"/>\n<text x=\"8\" y=\"4\" font-family=\"monospace\" font-size=\"16\" xml:space=\"preserve\">", "</text>\n</svg>\n"},
    {"latex", "\\textcolor[HTML]{%H}{", "}", "\\\\\n", {{u'\\', "\\textbackslash{}"}, {u'{', "\\{"}, {u'}', "\\}"}, {u'$', "\\$"}, {u'&', "\\&"}, {u'#', "\\#"}, {u'^', "\\textasciicircum{}"}, {u'_', "\\_"}, {u'%', "\\%"}, {u'~', "\\textasciitilde{}"}}, {"\\textbf{|}", "\\textit{|}", "\\underline{|}"}},
};
// clang-format on

// @p words with the % codes of PlainRow filled for @p c and @p styles.
QString Filled(const QString &words, const CharColour &c, const QString &styles)
{
    const QString hex = QString::asprintf("%02X%02X%02X", c.red, c.green, c.blue);
    QString section;
    for (const QChar digit : hex.toLower())
        section += u'\u00A7' + QString(digit);
    // clang-format off
    const QHash<QChar, QString> codes {
        {u'H', hex}, {u'h', hex.toLower()}, {u'r', QString::number(c.red)}, {u'g', QString::number(c.green)},
        {u'b', QString::number(c.blue)}, {u'x', QString::number(16 + Nearest(c, xterm, false))}, {u'S', section}, {u's', styles}, {u'%', "%"},
        {u'm', QString::asprintf("%02d", Nearest(c, {0xFFFFFF, 0x000000, 0x00007F, 0x009300, 0xFF0000, 0x7F0000, 0x9C009C, 0xFC7F00, 0xFFFF00, 0x00FC00, 0x009393, 0x00FFFF, 0x0000FC, 0xFF00FF, 0x7F7F7F, 0xD2D2D2}))},
        {u'd', QString::number(30 + Nearest(c, {0x4F545C, 0xDC322F, 0x859900, 0xB58900, 0x268BD2, 0xD33682, 0x2AA198, 0xFFFFFF}))},
        {u'k', QString::number(Nearest(c, {0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA, 0xFFAA00, 0xAAAAAA, 0x555555, 0x5555FF, 0x55FF55, 0x55FFFF, 0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF}), 16)}};
    // clang-format on
    QString filled;
    for (qsizetype i = 0; i < words.size(); ++i)
        filled += words[i] == u'%' ? codes.value(words[++i]) : QString(words[i]);
    return filled;
}

// A format as plain words: a run is opening, its characters escaped, then
// closing, filled for its colour; a line with characters has lineOpen and
// lineClose around them.
struct PlainFormat
{
    QString opening, closing, runStyles;
    std::vector<std::pair<char16_t, const char *>> escapes;
    bool replaceControls = false; // controls but the tab as U+FFFD
    bool jsonControls = false;    // controls as \u00XX
    bool text = true;             // the characters are written
    QString lineOpen, lineClose, lineEnd, head, tail;
    bool objects = false;     // JSON objects: separated by commas, the line end between lines
    bool alwaysMerge = false; // a code only where the colour changes, merge or not
    bool svgLines = false;    // a line opens with its distance from the last that has characters
    bool commaGuard = false;  // \x02\x02 between a code and a comma after it
    bool colourRuns = false;  // runs part where the colour changes, not only where the words do

    QString escaped(const QString &s) const
    {
        QString out;
        for (const QChar unit : s) {
            const auto found = std::find_if(escapes.begin(), escapes.end(),
                                            [&](const auto &e) { return e.first == unit; });
            if (found != escapes.end())
                out += found->second;
            else if (unit.unicode() < 0x20 && jsonControls)
                out += QString::asprintf("\\u%04X", unit.unicode());
            else if (unit.unicode() < 0x20 && unit != u'\t' && replaceControls)
                out += QChar(0xFFFD);
            else
                out += unit;
        }
        return text ? out : QString();
    }
};

// A template of the user's own as a format: the words around {c}.
PlainFormat PlainTemplate(const OwnTemplate &own)
{
    QStringList parts {QString()}; // before {c}, and after it; % codes for the placeholders
    const QString &t = own.run;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if ((t[i] == u'{' || t[i] == u'}') && i + 1 < t.size() && t[i + 1] == t[i]) {
            parts.last() += t[i++];
        } else if (t[i] == u'{') {
            const qsizetype close = t.indexOf(u'}', i);
            const QString name = t.mid(i + 1, close - i - 1);
            if (name == u"c")
                parts.append(QString());
            else
                parts.last() += u'%' + QString(name == u"HEX" ? "H" : name == u"hex" ? "h" : name);
            i = close;
        } else {
            parts.last() += t[i] == u'%' ? QStringLiteral("%%") : QString(t[i]);
        }
    }
    PlainFormat f;
    f.opening = parts[0], f.closing = parts.value(1);
    f.text = parts.size() > 1;
    f.replaceControls = own.escape == TemplateEscape::Xml;
    if (own.escape != TemplateEscape::None)
        f.escapes.assign(entities.begin(), entities.end() - !f.replaceControls);
    f.colourRuns = true;
    f.lineEnd = own.lineEnd;
    f.head = own.head;
    f.tail = own.tail;
    return f;
}

PlainFormat PlainFormatOf(const OutputOptions &options)
{
    if (options.ownTemplate)
        return PlainTemplate(*options.ownTemplate);
    const QString name = ToQString(RowOf(options.format).name);
    const auto row = std::find_if(std::begin(plainRows), std::end(plainRows),
                                  [&](const PlainRow &r) { return name == r.name; });
    Check(row != std::end(plainRows), "every format has a plain writer");
    PlainFormat f;
    f.opening = row->opening, f.closing = row->closing;
    // The styles asked for: words of each run, or tags around each line.
    for (size_t s = 0; s < row->styles.size(); ++s) {
        const QStringList words = QString(row->styles[s]).split(u'|');
        if (options.styles & StyleBit(Style(s))) {
            (words.size() == 1 ? f.runStyles : f.lineOpen) += words[0];
            f.lineClose.prepend(words.value(1));
        }
    }
    if ((name == u"span" || name == u"svg") && (options.styles & 12) == 12)
        f.runStyles.replace(QRegularExpression("underline.*line-"), "underline line-");
    // Font, span and BBCode take the tag options; font and span escape on request.
    const bool html = name == u"font" || name == u"span";
    if (options.upperCaseTags && (html || name == u"bbcode")) {
        const QStringList pieces = f.opening.split(u'"');
        f.opening = pieces[0].toUpper() + (pieces.size() > 1 ? '"' + pieces.mid(1).join('"') : "");
        f.closing = f.closing.toUpper();
        f.lineOpen = f.lineOpen.toUpper();
        f.lineClose = f.lineClose.toUpper();
    }
    if (options.noQuotes && html)
        f.opening.remove(u'"');
    f.escapes = row->escapes;
    if (html && options.escape)
        f.escapes.assign(entities.begin(), entities.begin() + 3);
    f.replaceControls = name == u"roblox" || name == u"pango" || name == u"svg";
    f.jsonControls = f.objects = name == u"minecraft-json";
    f.lineClose += row->lineClose;
    f.lineEnd = row->lineEnd;
    const quint32 back = options.background;
    f.head = Filled(row->head,
                    CharColour {0, 0, quint8(back >> 16), quint8(back >> 8), quint8(back)}, {});
    f.tail = row->tail;
    f.alwaysMerge = row->alwaysMerge;
    f.svgLines = name == u"svg";
    f.commaGuard = name == u"irc";
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
    int emptyLines = 0;
    for (const TextSpan &line : lines) {
        if (f.objects && &line != &lines.front())
            expected += comma() + f.lineEnd;
        std::optional<QString> open; // the run still open, by its opening and closing
        qsizetype at = line.start;
        for (; entry < entries.size() && entries[entry].start < line.end(); ++entry) {
            const CharColour &c = entries[entry];
            // The entries follow one another through the line, none of them ending
            // past it or between the halves of a surrogate pair.
            Check(c.start == at && c.length > 0 && (at += c.length) <= line.end()
                      && (at == line.end() || !text[at - 1].isHighSurrogate()
                          || !text[at].isLowSurrogate()),
                  "the entries of a line hold its characters, each whole, in order");
            if (c.start == line.start) {
                if (f.svgLines)
                    expected += u"<tspan x=\"8\" dy=\"%1\">"_qs.arg(20 * (emptyLines + 1));
                expected += f.lineOpen;
                emptyLines = 0;
            }
            const QString run = Filled(f.opening + f.closing, c, f.runStyles)
                + (f.colourRuns ? QString::asprintf("%d,%d,%d", c.red, c.green, c.blue) : "");
            if (open && (!merge || *open != run)) {
                expected += Filled(f.closing, entries[entry - 1], f.runStyles);
                open.reset();
            }
            const QString character = c.character(text).toString();
            if (!open) {
                expected += (f.objects ? comma() : "") + Filled(f.opening, c, f.runStyles);
                if (f.commaGuard && character.startsWith(u','))
                    expected += "\x02\x02";
                open = run;
            }
            expected += f.escaped(character);
        }
        Check(at == line.end(), "the entries of a line cover all of it");
        if (open)
            expected += Filled(f.closing, entries[entry - 1], f.runStyles);
        if (line.length > 0)
            expected += f.lineClose;
        else
            ++emptyLines;
        if (!f.objects)
            expected += f.lineEnd;
    }
    expected += f.tail;
    Check(entry == entries.size(), "one entry for every character");
    if (IsBlankText(text))
        expected.clear();
    if (output != expected) {
        const auto at =
            std::mismatch(output.begin(), output.end(), expected.begin(), expected.end()).first;
        const qsizetype from = std::max<qsizetype>(0, at - output.begin() - 40);
        std::fprintf(
            stderr, "%s: written '%s', expected '%s'\n",
            options.ownTemplate ? "template" : qPrintable(ToQString(RowOf(options.format).name)),
            qPrintable(output.mid(from, 80).toString()), qPrintable(expected.mid(from, 80)));
    }
    Check(output == expected, "the output is every entry's character in its colour's codes");
}

} // namespace huevane::fuzz
