#include "fuzzchecks.h"

#include "engine/colourspaces.h"

#include <QHash>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
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

// The index of the colour of @p palette (0xRRGGBB each) nearest to @p c in OKLab,
// found by trying each, the first one kept on a tie.
int NearestInOklab(const CharColour &c, std::initializer_list<quint32> palette)
{
    const Coordinates x = FromRgb(ColourSpace::Oklab, c.red, c.green, c.blue);
    int best = 0, index = 0;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (const quint32 rgb : palette) {
        const Coordinates y =
            FromRgb(ColourSpace::Oklab, quint8(rgb >> 16), quint8(rgb >> 8), quint8(rgb));
        const double d = (x[0] - y[0]) * (x[0] - y[0]) + (x[1] - y[1]) * (x[1] - y[1])
            + (x[2] - y[2]) * (x[2] - y[2]);
        if (d < bestDistance) {
            best = index;
            bestDistance = d;
        }
        ++index;
    }
    return best;
}

// Each unit of @p s written as @p as says, where it says anything.
QString Replaced(const QString &s, const QHash<QChar, QString> &as)
{
    QString out;
    for (const QChar unit : s)
        out += as.value(unit, QString(unit));
    return out;
}

QString WithControlsReplaced(QString s)
{
    for (QChar &unit : s) {
        if (unit.unicode() < 0x20 && unit != u'\t')
            unit = QChar(0xFFFD);
    }
    return s;
}

// A format as plain words: a run is opening(c), its characters escaped, then
// closing(c); a line with characters has lineOpen and lineClose around them.
struct PlainFormat
{
    std::function<QString(const CharColour &)> opening, closing;
    std::function<QString(QString)> escape = [](QString s) { return s; };
    QString lineOpen, lineClose, lineEnd;
    QString head, tail;       // around the whole output
    bool objects = false;     // JSON objects: separated by commas, the line end between lines
    bool alwaysMerge = false; // a code only where the colour changes, merge or not
    bool svgLines = false;    // a line opens with its distance from the last that has characters
    QString commaGuard;       // between a code and a comma after it
    bool colourRuns = false;  // runs part where the colour changes, not only where the words do
};

// A template of the user's own as a format: the words around {c}.
PlainFormat PlainTemplate(const OwnTemplate &own)
{
    QStringList parts {QString()}; // before {c}, and after it
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
                parts.last() += u'\u0001' + name + u'\u0001';
            i = close;
        } else {
            parts.last() += t[i];
        }
    }
    const auto fill = [](QString words, const CharColour &c) {
        const QString hex = QString::asprintf("%02X%02X%02X", c.red, c.green, c.blue);
        return words.replace(u"\u0001hex\u0001"_qs, hex.toLower())
            .replace(u"\u0001HEX\u0001"_qs, hex)
            .replace(u"\u0001r\u0001"_qs, QString::number(c.red))
            .replace(u"\u0001g\u0001"_qs, QString::number(c.green))
            .replace(u"\u0001b\u0001"_qs, QString::number(c.blue));
    };
    PlainFormat f;
    f.opening = [=](const CharColour &c) { return fill(parts[0], c); };
    f.closing = [=](const CharColour &c) { return parts.size() > 1 ? fill(parts[1], c) : ""; };
    const bool text = parts.size() > 1;
    if (own.escape == TemplateEscape::None)
        f.escape = [text](QString s) { return text ? s : QString(); };
    else if (own.escape == TemplateEscape::Html)
        f.escape = [text](QString s) {
            return text
                ? Replaced(s, {{u'&', "&amp;"}, {u'<', "&lt;"}, {u'>', "&gt;"}, {u'"', "&quot;"}})
                : QString();
        };
    else
        f.escape = [text](QString s) {
            return text ? Replaced(WithControlsReplaced(s),
                                   {{u'&', "&amp;"},
                                    {u'<', "&lt;"},
                                    {u'>', "&gt;"},
                                    {u'"', "&quot;"},
                                    {u'\'', "&apos;"}})
                        : QString();
        };
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
    const auto has = [&](Style s) { return (options.styles & StyleBit(s)) != 0; };
    // Tags in the case asked for: words outside the quotes, for the formats that
    // take --upper-case-tags.
    const bool tagCase = name == u"font" || name == u"span" || name == u"bbcode";
    const auto word = [upper = options.upperCaseTags && tagCase](const char *lower) {
        return upper ? QString(lower).toUpper() : QString(lower);
    };
    const QString quote = options.noQuotes && (name == u"font" || name == u"span") ? "" : "\"";
    const auto hex = [](const CharColour &c) {
        return QString::asprintf("%02X%02X%02X", c.red, c.green, c.blue);
    };
    const auto lower = [hex](const CharColour &c) { return hex(c).toLower(); };
    const auto none = [](const CharColour &) { return QString(); };
    // The styles a format writes, each as it writes it, in the order of Style.
    const auto styles = [&](const QStringList &words) {
        QString written;
        for (int s = 0; s < words.size(); ++s) {
            if (has(Style(s)))
                written += words[s];
        }
        return written;
    };
    PlainFormat f;
    // Tags around a line's characters: <b> ... </b>, or in square brackets.
    const auto lineTags = [&](const char *open, const char *close, const char *letters) {
        for (int s = 0; letters[s]; ++s) {
            if (has(Style(s))) {
                f.lineOpen += word(open) + letters[s] + word(close);
                f.lineClose.prepend(word(open) + '/' + letters[s] + word(close));
            }
        }
        if (options.upperCaseTags && tagCase) {
            f.lineOpen = f.lineOpen.toUpper();
            f.lineClose = f.lineClose.toUpper();
        }
    };
    const auto entities = [](const QString &units) {
        QHash<QChar, QString> as;
        const QHash<QChar, QString> all {
            {u'&', "&amp;"}, {u'<', "&lt;"}, {u'>', "&gt;"}, {u'"', "&quot;"}, {u'\'', "&apos;"}};
        for (const QChar unit : units)
            as.insert(unit, all[unit]);
        return as;
    };
    f.lineEnd = "\n";
    if (name == u"font" || name == u"span") {
        const bool font = name == u"font";
        const QString css = styles({";font-weight:bold", ";font-style:italic"})
            + (has(Style::Underline) && has(Style::Strikethrough)
                   ? ";text-decoration:underline line-through"
                   : styles(
                       {"", "", ";text-decoration:underline", ";text-decoration:line-through"}));
        const QString before =
            font ? word("<font color=") + quote + '#' : word("<span style=") + quote + "color:#";
        f.opening = [=](const CharColour &c) {
            return before + hex(c) + (font ? "" : css) + quote + '>';
        };
        f.closing = [=](const CharColour &) { return word(font ? "</font>" : "</span>"); };
        f.lineEnd = "<br>\r\n";
        if (font)
            lineTags("<", ">", "bius");
        if (options.escape)
            f.escape = [=](QString s) { return Replaced(s, entities("&<>")); };
    } else if (name == u"bbcode" || name == u"godot" || name == u"factorio") {
        const bool godot = name == u"godot";
        f.opening = [=](const CharColour &c) {
            return word("[color=") + '#' + (godot || name == u"factorio" ? lower(c) : hex(c)) + ']';
        };
        f.closing = [=](const CharColour &) { return word("[/color]"); };
        if (name != u"factorio")
            lineTags("[", "]", "bius");
        if (name == u"bbcode")
            f.lineEnd = "\r\n";
        if (godot)
            f.escape = [](QString s) { return Replaced(s, {{u'[', "[lb]"}, {u']', "[rb]"}}); };
    } else if (name == u"ansi" || name == u"ansi256") {
        f.opening = [=](const CharColour &c) {
            return name == u"ansi"
                ? QString::asprintf("\x1b[38;2;%d;%d;%dm", c.red, c.green, c.blue)
                : QString::asprintf("\x1b[38;5;%dm", NearestPaletteNumber(c));
        };
        f.closing = none;
        f.lineOpen = styles({"\x1b[1m", "\x1b[3m", "\x1b[4m", "\x1b[9m"});
        f.lineClose = "\x1b[0m";
        f.alwaysMerge = true;
    } else if (name.startsWith(u"minecraft-") && name != u"minecraft-json") {
        const QChar mark = name == u"minecraft-hex" ? u'&' : u'\u00A7';
        QStringList codes;
        for (const char code : {'l', 'o', 'n', 'm', 'k'})
            codes.append(mark + QString(QChar(code)));
        const QString after = styles(codes);
        f.opening = [=](const CharColour &c) {
            if (name == u"minecraft-hex")
                return "&#" + hex(c) + after;
            if (name == u"minecraft-legacy") {
                const int k =
                    NearestInOklab(c,
                                   {0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA,
                                    0xFFAA00, 0xAAAAAA, 0x555555, 0x5555FF, 0x55FF55, 0x55FFFF,
                                    0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF});
                return u'\u00A7' + QString::number(k, 16) + after;
            }
            QString code = QStringLiteral("\u00A7x");
            for (const QChar digit : lower(c))
                code += u'\u00A7' + QString(digit);
            return code + after;
        };
        f.closing = none;
        f.alwaysMerge = name == u"minecraft-legacy";
    } else if (name == u"minimessage") {
        f.opening = [=](const CharColour &c) { return "<#" + lower(c) + '>'; };
        f.closing = none;
        f.lineOpen = styles({"<b>", "<i>", "<u>", "<st>", "<obf>"});
        f.escape = [](QString s) { return Replaced(s, {{u'\\', "\\\\"}, {u'<', "\\<"}}); };
    } else if (name == u"minecraft-json") {
        const QString keys = styles({",\"bold\":true", ",\"italic\":true", ",\"underlined\":true",
                                     ",\"strikethrough\":true", ",\"obfuscated\":true"});
        f.opening = [](const CharColour &) { return QString("{\"text\":\""); };
        f.closing = [=](const CharColour &c) {
            return "\",\"color\":\"#" + lower(c) + '"' + keys + '}';
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
    } else if (name == u"textmeshpro" || name == u"roblox") {
        const bool roblox = name == u"roblox";
        f.opening = [=](const CharColour &c) {
            return (roblox ? "<font color=\"#" + hex(c) + '"' : "<color=#" + hex(c)) + '>';
        };
        f.closing = [=](const CharColour &) { return roblox ? "</font>" : "</color>"; };
        lineTags("<", ">", "bius");
        if (roblox)
            f.escape = [=](QString s) {
                return Replaced(WithControlsReplaced(s), entities("&<>\"'"));
            };
    } else if (name == u"terraria") {
        f.opening = [=](const CharColour &c) { return "[c/" + hex(c) + ':'; };
        f.closing = [](const CharColour &) { return QString("]"); };
        f.escape = [](QString s) { return s.replace(u"]"_qs, u"\\]"_qs); };
    } else if (name == u"starbound") {
        f.opening = [=](const CharColour &c) { return "^#" + lower(c) + ';'; };
        f.closing = none;
        f.lineEnd = "^reset;\n";
    } else if (name == u"libgdx") {
        f.opening = [=](const CharColour &c) { return "[#" + lower(c) + ']'; };
        f.closing = none;
        f.escape = [](QString s) { return s.replace(u"["_qs, u"[["_qs); };
        f.lineEnd = "[]\n";
    } else if (name == u"wow") {
        f.opening = [=](const CharColour &c) { return "|cff" + lower(c); };
        f.closing = [](const CharColour &) { return QString("|r"); };
        f.escape = [](QString s) { return s.replace(u"|"_qs, u"||"_qs); };
    } else if (name == u"irc") {
        f.opening = [](const CharColour &c) {
            return QString::asprintf(
                "\x03%02d",
                NearestInOklab(c,
                               {0xFFFFFF, 0x000000, 0x00007F, 0x009300, 0xFF0000, 0x7F0000,
                                0x9C009C, 0xFC7F00, 0xFFFF00, 0x00FC00, 0x009393, 0x00FFFF,
                                0x0000FC, 0xFF00FF, 0x7F7F7F, 0xD2D2D2}));
        };
        f.closing = none;
        f.lineOpen = styles({"\x02", "\x1D", "\x1F", "\x1E"});
        f.lineEnd = "\x0F\n";
        f.alwaysMerge = true;
        f.commaGuard = "\x02\x02";
    } else if (name == u"discord") {
        const QString codes = styles({"1;", "", "4;"});
        f.opening = [=](const CharColour &c) {
            const int n = NearestInOklab(
                c,
                {0x4F545C, 0xDC322F, 0x859900, 0xB58900, 0x268BD2, 0xD33682, 0x2AA198, 0xFFFFFF});
            return "\x1b[0;" + codes + QString::number(30 + n) + 'm';
        };
        f.closing = none;
        f.head = "```ansi\n";
        f.tail = "```";
        f.alwaysMerge = true;
    } else if (name == u"pango" || name == u"svg") {
        const bool svg = name == u"svg";
        const QString attributes = svg
            ? styles({" font-weight=\"bold\"", " font-style=\"italic\""})
                + (has(Style::Underline) && has(Style::Strikethrough)
                       ? " text-decoration=\"underline line-through\""
                       : styles({"", "", " text-decoration=\"underline\"",
                                 " text-decoration=\"line-through\""}))
            : styles({" weight=\"bold\"", " style=\"italic\"", " underline=\"single\"",
                      " strikethrough=\"true\""});
        f.opening = [=](const CharColour &c) {
            return (svg ? "<tspan fill=\"#" : "<span foreground=\"#") + lower(c) + '"' + attributes
                + '>';
        };
        f.closing = [=](const CharColour &) { return svg ? "</tspan>" : "</span>"; };
        f.escape = [=](QString s) { return Replaced(WithControlsReplaced(s), entities("&<>")); };
        if (svg) {
            f.head = QString::asprintf(
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100%%\" height=\"100%%\">\n"
                "<rect width=\"100%%\" height=\"100%%\" fill=\"#%06x\"/>\n"
                "<text x=\"8\" y=\"4\" font-family=\"monospace\" font-size=\"16\" "
                "xml:space=\"preserve\">",
                options.background);
            f.tail = "</text>\n</svg>\n";
            f.lineClose = "</tspan>";
            f.svgLines = true;
        }
    } else if (name == u"latex") {
        f.opening = [=](const CharColour &c) { return "\\textcolor[HTML]{" + hex(c) + "}{"; };
        f.closing = [](const CharColour &) { return QString("}"); };
        f.escape = [](QString s) {
            return Replaced(s,
                            {{u'\\', "\\textbackslash{}"},
                             {u'{', "\\{"},
                             {u'}', "\\}"},
                             {u'$', "\\$"},
                             {u'&', "\\&"},
                             {u'#', "\\#"},
                             {u'^', "\\textasciicircum{}"},
                             {u'_', "\\_"},
                             {u'%', "\\%"},
                             {u'~', "\\textasciitilde{}"}});
        };
        f.lineOpen = styles({"\\textbf{", "\\textit{", "\\underline{"});
        f.lineClose = QString("}").repeated(f.lineOpen.count(u'{'));
        f.lineEnd = "\\\\\n";
    } else {
        Check(false, "every format has a plain writer");
    }
    return f;
}

} // namespace

void CheckOutputGivesBackText(const GradientSettings &settings, const OutputOptions &options,
                              QStringView output)
{
    const PlainFormat f = PlainFormatOf(options);
    const bool merge = options.merge || f.alwaysMerge;
    bool afterObject = false;
    const auto comma = [&] { return std::exchange(afterObject, true) ? "," : ""; };

    const QList<CharColour> &entries = settings.charColours;
    QString expected = f.head;
    qsizetype entry = 0;
    int emptyLines = 0;
    for (const TextSpan &line : settings.lines) {
        if (f.objects && &line != &settings.lines.front())
            expected += comma() + f.lineEnd;
        std::optional<QString> open; // the run still open, by its opening and closing
        qsizetype at = line.start;
        for (; entry < entries.size() && entries[entry].start < line.end(); ++entry) {
            const CharColour &c = entries[entry];
            // The entries follow one another through the line, none of them ending
            // past it or between the halves of a surrogate pair.
            Check(c.start == at && c.length > 0 && (at += c.length) <= line.end()
                      && (at == line.end() || !settings.text[at - 1].isHighSurrogate()
                          || !settings.text[at].isLowSurrogate()),
                  "the entries of a line hold its characters, each whole, in order");
            if (c.start == line.start) {
                if (f.svgLines)
                    expected += u"<tspan x=\"8\" dy=\"%1\">"_qs.arg(20 * (emptyLines + 1));
                expected += f.lineOpen;
                emptyLines = 0;
            }
            const QString run = f.opening(c) + f.closing(c)
                + (f.colourRuns ? QString::asprintf("%d,%d,%d", c.red, c.green, c.blue) : "");
            if (open && (!merge || *open != run)) {
                expected += f.closing(entries[entry - 1]);
                open.reset();
            }
            const QString character = c.character(settings.text).toString();
            if (!open) {
                expected += (f.objects ? comma() : "") + f.opening(c);
                if (character.startsWith(u','))
                    expected += f.commaGuard;
                open = run;
            }
            expected += f.escape(character);
        }
        Check(at == line.end(), "the entries of a line cover all of it");
        if (open)
            expected += f.closing(entries[entry - 1]);
        if (line.length > 0)
            expected += f.lineClose;
        else
            ++emptyLines;
        if (!f.objects)
            expected += f.lineEnd;
    }
    expected += f.tail;
    Check(entry == entries.size() && entry == settings.totalChars, "one entry for every character");
    if (IsBlankText(settings.text))
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
