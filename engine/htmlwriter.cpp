#include "htmlwriter.h"

#include "memoryadvice.h"

#include <array>
#include <cstring>
#include <string_view>

namespace huevane {

namespace {

using Words = std::u16string_view;

// Two upper-case hexadecimal digits for every byte value.
constexpr std::array<char16_t, 512> hexDigits = [] {
    std::array<char16_t, 512> table {};
    constexpr char16_t digits[] = u"0123456789ABCDEF";
    for (int i = 0; i < 256; ++i) {
        table[2 * i] = digits[i >> 4];
        table[2 * i + 1] = digits[i & 15];
    }
    return table;
}();

// The decimal digits of every byte value, then how many there are.
constexpr std::array<std::array<char16_t, 4>, 256> decimalDigits = [] {
    std::array<std::array<char16_t, 4>, 256> table {};
    for (int i = 0; i < 256; ++i) {
        int n = 0;
        if (i >= 100)
            table[i][n++] = char16_t(u'0' + i / 100);
        if (i >= 10)
            table[i][n++] = char16_t(u'0' + i / 10 % 10);
        table[i][n++] = char16_t(u'0' + i % 10);
        table[i][3] = char16_t(n);
    }
    return table;
}();

constexpr quint32 NoRun = 0xFFFFFFFF;

// How a run writes its colour: RRGGBB, rrggbb, §r§r§g§g§b§b, R;G;B, or the
// number of the colour in the 256-colour palette.
enum class Digits : quint8 { Hex, LowerHex, Section, Decimal, Palette };

// What a character's code units become: HTML entities when asked for (font and
// span), backslash escapes (MiniMessage), JSON string escapes.
enum class Escaping : quint8 { Html, MiniMessage, Json };

// The words of each format, known at compile time so that every copy below has
// a constant size. A run of characters in one colour is opening, colour, middle,
// the characters, then closing, or lineClosing at the end of a line. The
// defaults here are those of the formats that need nothing more.
struct PlainWords
{
    static constexpr Digits digits = Digits::Hex;
    static constexpr Escaping escaping = Escaping::Html;
    static constexpr Words head = u""; // before the first line
    static constexpr Words tail = u""; // after the last line
    // One JSON object per run: objects are separated by commas, the colour comes
    // after the characters, and the line end is an object between lines.
    static constexpr bool objects = false;
    static constexpr Words closingEnd = u""; // after the colour, for objects
};

template <bool UpperCase, bool NoQuotes>
struct FontTags : PlainWords
{
    static constexpr Words opening = UpperCase ? (NoQuotes ? u"<FONT COLOR=#" : u"<FONT COLOR=\"#")
                                               : (NoQuotes ? u"<font color=#" : u"<font color=\"#");
    static constexpr Words middle = NoQuotes ? u">" : u"\">";
    static constexpr Words closing = UpperCase ? u"</FONT>" : u"</font>";
    static constexpr Words lineClosing = closing;
    static constexpr Words lineEnd = u"<br>\r\n";
};

template <bool UpperCase, bool NoQuotes>
struct SpanTags : FontTags<UpperCase, NoQuotes>
{
    static constexpr Words opening = UpperCase
        ? (NoQuotes ? u"<SPAN STYLE=color:#" : u"<SPAN STYLE=\"color:#")
        : (NoQuotes ? u"<span style=color:#" : u"<span style=\"color:#");
    static constexpr Words closing = UpperCase ? u"</SPAN>" : u"</span>";
    static constexpr Words lineClosing = closing;
};

template <bool UpperCase, bool>
struct BBCodeTags : PlainWords
{
    static constexpr Words opening = UpperCase ? u"[COLOR=#" : u"[color=#";
    static constexpr Words middle = u"]";
    static constexpr Words closing = UpperCase ? u"[/COLOR]" : u"[/color]";
    static constexpr Words lineClosing = closing;
    static constexpr Words lineEnd = u"\r\n";
};

// Terminal colours: a new colour replaces the last without closing it.
template <bool, bool>
struct AnsiCodes : PlainWords
{
    static constexpr Words opening = u"\x1b[38;2;";
    static constexpr Words middle = u"m";
    static constexpr Words closing = u"";
    static constexpr Words lineClosing = u"\x1b[0m";
    static constexpr Words lineEnd = u"\n";
    static constexpr Digits digits = Digits::Decimal;
};

template <bool UpperCase, bool NoQuotes>
struct Ansi256Codes : AnsiCodes<UpperCase, NoQuotes>
{
    static constexpr Words opening = u"\x1b[38;5;";
    static constexpr Digits digits = Digits::Palette;
};

// Game chat codes: a colour code goes on until the next one.
template <bool, bool>
struct MinecraftHexCodes : PlainWords
{
    static constexpr Words opening = u"&#";
    static constexpr Words middle = u"";
    static constexpr Words closing = u"";
    static constexpr Words lineClosing = u"";
    static constexpr Words lineEnd = u"\n";
};

template <bool UpperCase, bool NoQuotes>
struct MinecraftSectionCodes : MinecraftHexCodes<UpperCase, NoQuotes>
{
    static constexpr Words opening = u"\u00A7x";
    static constexpr Digits digits = Digits::Section;
};

template <bool UpperCase, bool NoQuotes>
struct MiniMessageTags : MinecraftHexCodes<UpperCase, NoQuotes>
{
    static constexpr Words opening = u"<#";
    static constexpr Words middle = u">";
    static constexpr Digits digits = Digits::LowerHex;
    static constexpr Escaping escaping = Escaping::MiniMessage;
};

template <bool, bool>
struct MinecraftJsonObjects : PlainWords
{
    static constexpr Words head = u"{\"text\":\"\",\"extra\":[";
    static constexpr Words tail = u"]}\n";
    static constexpr bool objects = true;
    static constexpr Words opening = u"{\"text\":\"";
    static constexpr Words middle = u"";
    static constexpr Words closing = u"\",\"color\":\"#";
    static constexpr Words closingEnd = u"\"}";
    static constexpr Words lineClosing = closing;
    static constexpr Words lineEnd = u"{\"text\":\"\\n\"}";
    static constexpr Digits digits = Digits::LowerHex;
    static constexpr Escaping escaping = Escaping::Json;
};

char16_t *put(char16_t *out, Words piece)
{
    std::memcpy(out, piece.data(), piece.size() * sizeof(char16_t));
    return out + piece.size();
}

char16_t *putHex(char16_t *out, quint8 value)
{
    out[0] = hexDigits[2 * value];
    out[1] = hexDigits[2 * value + 1];
    return out + 2;
}

// Writes three digits whatever the value: the room for them is reserved.
char16_t *putDecimal(char16_t *out, quint8 value)
{
    const auto &digits = decimalDigits[value];
    out[0] = digits[0];
    out[1] = digits[1];
    out[2] = digits[2];
    return out + digits[3];
}

// Lower-case hexadecimal digits: the upper-case ones with the letters' bit 0x20 set.
char16_t lowerHex(char16_t digit)
{
    return digit >= u'A' ? char16_t(digit | 0x20) : digit;
}

template <Digits D>
char16_t *putColour(char16_t *out, quint32 colour)
{
    const quint8 bytes[3] = {quint8(colour >> 16), quint8(colour >> 8), quint8(colour)};
    if constexpr (D == Digits::Palette) {
        return putDecimal(out, quint8(colour));
    } else if constexpr (D == Digits::Decimal) {
        out = putDecimal(out, bytes[0]);
        *out++ = u';';
        out = putDecimal(out, bytes[1]);
        *out++ = u';';
        return putDecimal(out, bytes[2]);
    } else {
        for (const quint8 byte : bytes) {
            const char16_t high = hexDigits[2 * byte], low = hexDigits[2 * byte + 1];
            if constexpr (D == Digits::Hex) {
                out[0] = high;
                out[1] = low;
                out += 2;
            } else if constexpr (D == Digits::LowerHex) {
                out[0] = lowerHex(high);
                out[1] = lowerHex(low);
                out += 2;
            } else {
                out[0] = u'\u00A7';
                out[1] = lowerHex(high);
                out[2] = u'\u00A7';
                out[3] = lowerHex(low);
                out += 4;
            }
        }
        return out;
    }
}

constexpr qsizetype colourSize(Digits digits)
{
    switch (digits) {
    case Digits::Section:
        return 12;
    case Digits::Decimal:
        return 11;
    case Digits::Palette:
        return 3;
    case Digits::Hex:
    case Digits::LowerHex:
        break;
    }
    return 6;
}

// The xterm 256-colour palette above its first 16 colours: the 6x6x6 cube
// (16 + 36 r + 6 g + b) and 24 greys (232 + i, level 8 + 10 i).
constexpr int cubeLevels[6] = {0, 95, 135, 175, 215, 255};

// For every component value, the cube level nearest to it, the lower on a tie.
constexpr std::array<quint8, 256> nearestCubeLevel = [] {
    std::array<quint8, 256> table {};
    for (int value = 0; value < 256; ++value) {
        int best = 0;
        for (int i = 1; i < 6; ++i) {
            const int d = value - cubeLevels[i], bestD = value - cubeLevels[best];
            if (d * d < bestD * bestD)
                best = i;
        }
        table[value] = quint8(best);
    }
    return table;
}();

// For every sum of the components, R + G + B, the grey nearest to the colour,
// the lower on a tie. The squared distance to grey level v is 3v² - 2v(R + G + B)
// plus a term that v does not change, so the sum alone decides.
constexpr std::array<quint8, 766> nearestGrey = [] {
    std::array<quint8, 766> table {};
    for (int sum = 0; sum < 766; ++sum) {
        int best = 0;
        const auto cost = [sum](int i) {
            const int v = 8 + 10 * i;
            return 3 * v * v - 2 * v * sum;
        };
        for (int i = 1; i < 24; ++i) {
            if (cost(i) < cost(best))
                best = i;
        }
        table[sum] = quint8(best);
    }
    return table;
}();

// The palette number of the colour nearest to @p c, by the sum of squared
// differences of the components, the lower number on a tie. The cube is a
// product of levels, so its nearest colour takes the nearest level of each
// component; every cube number lies below every grey's.
quint32 paletteNumber(const CharColour &c)
{
    const int r = nearestCubeLevel[c.red], g = nearestCubeLevel[c.green],
              b = nearestCubeLevel[c.blue];
    const auto square = [](int d) { return d * d; };
    const int cube = square(c.red - cubeLevels[r]) + square(c.green - cubeLevels[g])
        + square(c.blue - cubeLevels[b]);
    const int grey = nearestGrey[c.red + c.green + c.blue];
    const int level = 8 + 10 * grey;
    if (square(c.red - level) + square(c.green - level) + square(c.blue - level) < cube)
        return quint32(232 + grey);
    return quint32(16 + 36 * r + 6 * g + b);
}

char16_t *putEscaped(char16_t *out, const char16_t *units, quint32 length)
{
    for (const char16_t *unit = units; unit != units + length; ++unit) {
        switch (*unit) {
        case u'&':
            out = put(out, u"&amp;");
            break;
        case u'<':
            out = put(out, u"&lt;");
            break;
        case u'>':
            out = put(out, u"&gt;");
            break;
        default:
            *out++ = *unit;
        }
    }
    return out;
}

constexpr qsizetype LongestEscape = 5; // "&amp;"

char16_t *putMiniMessageEscaped(char16_t *out, const char16_t *units, quint32 length)
{
    for (const char16_t *unit = units; unit != units + length; ++unit) {
        if (*unit == u'\\' || *unit == u'<')
            *out++ = u'\\';
        *out++ = *unit;
    }
    return out;
}

char16_t *putJsonEscaped(char16_t *out, const char16_t *units, quint32 length)
{
    for (const char16_t *unit = units; unit != units + length; ++unit) {
        if (*unit < 0x20) {
            out = put(out, u"\\u00");
            out = putHex(out, quint8(*unit));
        } else {
            if (*unit == u'"' || *unit == u'\\')
                *out++ = u'\\';
            *out++ = *unit;
        }
    }
    return out;
}

template <Escaping E>
constexpr qsizetype longestEscape(bool escape)
{
    switch (E) {
    case Escaping::MiniMessage:
        return 2; // "\<"
    case Escaping::Json:
        return 6; // "\u001F"
    case Escaping::Html:
        break;
    }
    return escape ? LongestEscape : 1;
}

template <typename T>
char16_t *closeRun(char16_t *out, Words closing, quint32 colour)
{
    out = put(out, closing);
    if constexpr (T::objects) {
        out = putColour<T::digits>(out, colour);
        out = put(out, T::closingEnd);
    }
    return out;
}

template <typename T>
char16_t *closeLine(char16_t *out, quint32 colour)
{
    return closeRun<T>(out, T::lineClosing, colour);
}

// Without Merge every character gets a run of its own, closed at once.
template <typename T, bool Merge, bool Escape>
char16_t *writeRuns(char16_t *out, ColouredTextWriter::Runs &runs, const char16_t *units,
                    const CharColour *first, const CharColour *last)
{
    quint32 open = runs.open;
    for (const CharColour *entry = first; entry != last; ++entry) {
        const quint32 colour = T::digits == Digits::Palette
            ? paletteNumber(*entry)
            : quint32(entry->red) << 16 | quint32(entry->green) << 8 | entry->blue;
        if (!Merge || colour != open) {
            if (Merge && open != NoRun)
                out = closeRun<T>(out, T::closing, open);
            if constexpr (T::objects) {
                if (runs.afterObject)
                    *out++ = u',';
                runs.afterObject = true;
            }
            out = put(out, T::opening);
            if constexpr (!T::objects)
                out = putColour<T::digits>(out, colour);
            out = put(out, T::middle);
            if (Merge)
                open = colour;
        }
        const char16_t unit = units[entry->start];
        if (T::escaping != Escaping::Html && entry->length == 1 && unit >= 0x20 && unit != u'\\'
            && unit != (T::escaping == Escaping::Json ? u'"' : u'<'))
            *out++ = unit; // nothing to escape
        else if constexpr (T::escaping == Escaping::MiniMessage)
            out = putMiniMessageEscaped(out, units + entry->start, entry->length);
        else if constexpr (T::escaping == Escaping::Json)
            out = putJsonEscaped(out, units + entry->start, entry->length);
        else if (Escape)
            out = putEscaped(out, units + entry->start, entry->length);
        else if (entry->length == 1)
            *out++ = unit;
        else
            out = put(out, Words(units + entry->start, entry->length));
        if (!Merge)
            out = closeRun<T>(out, T::closing, colour);
    }
    runs.open = open;
    return out;
}

} // namespace

struct ColouredTextWriter::Format
{
    Words head;
    Words tail;
    Words lineEnd;
    bool linesBetween;         // the line end is an object between lines, not after each
    qsizetype lineClosingSize; // the most closing a line's last run takes
    qsizetype runSize;         // the most a run takes, its characters left out
    qsizetype unitSize[2];     // the most a code unit of a character takes, by escape
    using Write = char16_t *(*)(char16_t *out, Runs &runs, const char16_t *units,
                                const CharColour *first, const CharColour *last);
    Write write[2][2]; // by merge, then escape
    char16_t *(*closeLine)(char16_t *out, quint32 colour);
};

namespace {

template <typename T>
constexpr qsizetype closingSize(Words closing)
{
    return qsizetype(closing.size()
                     + (T::objects ? colourSize(T::digits) + T::closingEnd.size() : 0));
}

template <typename T>
constexpr ColouredTextWriter::Format formatOf {
    T::head,
    T::tail,
    T::lineEnd,
    T::objects,
    closingSize<T>(T::lineClosing),
    qsizetype(T::objects + T::opening.size() + colourSize(T::digits) + T::middle.size())
        + closingSize<T>(T::closing),
    {longestEscape<T::escaping>(false), longestEscape<T::escaping>(true)},
    {{&writeRuns<T, false, false>, &writeRuns<T, false, true>},
     {&writeRuns<T, true, false>, &writeRuns<T, true, true>}},
    &closeLine<T>};

template <template <bool, bool> class T>
const ColouredTextWriter::Format *pick(const OutputOptions &options)
{
    static constexpr ColouredTextWriter::Format formats[] = {
        formatOf<T<false, false>>, formatOf<T<false, true>>, formatOf<T<true, false>>,
        formatOf<T<true, true>>};
    return &formats[2 * options.upperCaseTags + options.noQuotes];
}

const ColouredTextWriter::Format *formatFor(const OutputOptions &options)
{
    switch (options.format) {
    case OutputFormat::Span:
        return pick<SpanTags>(options);
    case OutputFormat::BBCode:
        return pick<BBCodeTags>(options);
    case OutputFormat::Ansi:
        return pick<AnsiCodes>(options);
    case OutputFormat::MinecraftHex:
        return pick<MinecraftHexCodes>(options);
    case OutputFormat::MinecraftSection:
        return pick<MinecraftSectionCodes>(options);
    case OutputFormat::MiniMessage:
        return pick<MiniMessageTags>(options);
    case OutputFormat::MinecraftJson:
        return pick<MinecraftJsonObjects>(options);
    case OutputFormat::Ansi256:
        return pick<Ansi256Codes>(options);
    case OutputFormat::Font:
        break;
    }
    return pick<FontTags>(options);
}

} // namespace

ColouredTextWriter::ColouredTextWriter(const OutputOptions &options)
    : m_format(formatFor(options))
    , m_merge(options.merge || options.format == OutputFormat::Ansi
              || options.format == OutputFormat::Ansi256)
    , m_escape(options.escape)
    , m_runs {NoRun, false}
{ }

qsizetype ColouredTextWriter::maxSize(qsizetype characters, qsizetype units) const
{
    return characters * m_format->runSize + units * m_format->unitSize[m_escape] + maxLineEndSize();
}

qsizetype ColouredTextWriter::maxLineEndSize() const
{
    // A line break still due and the head may come first.
    return qsizetype(m_format->head.size() + m_format->linesBetween + m_format->lineClosingSize
                     + 2 * m_format->lineEnd.size());
}

qsizetype ColouredTextWriter::maxFinishSize() const
{
    return qsizetype(m_format->head.size() + m_format->tail.size());
}

char16_t *ColouredTextWriter::begin(char16_t *out)
{
    if (!m_begun) {
        m_begun = true;
        out = put(out, m_format->head);
    }
    if (m_lineBreakDue) {
        m_lineBreakDue = false;
        if (m_runs.afterObject)
            *out++ = u',';
        m_runs.afterObject = true;
        out = put(out, m_format->lineEnd);
    }
    return out;
}

char16_t *ColouredTextWriter::write(char16_t *out, QStringView text, const CharColour *first,
                                    const CharColour *last)
{
    out = begin(out);
    return m_format->write[m_merge][m_escape](out, m_runs, text.utf16(), first, last);
}

char16_t *ColouredTextWriter::endLine(char16_t *out)
{
    out = begin(out);
    if (m_runs.open != NoRun)
        out = m_format->closeLine(out, m_runs.open);
    m_runs.open = NoRun;
    if (m_format->linesBetween) {
        m_lineBreakDue = true;
        return out;
    }
    return put(out, m_format->lineEnd);
}

char16_t *ColouredTextWriter::finish(char16_t *out)
{
    m_lineBreakDue = false; // no line follows the last
    out = begin(out);
    return put(out, m_format->tail);
}

QString GenerateHtml(const PreparedText &text, const QList<CharColour> &colours,
                     const OutputOptions &options)
{
    if (IsBlankText(text.text()))
        return {};

    ColouredTextWriter writer(options);
    const qsizetype lines = text.lineCount();
    qsizetype units = 0;
    for (qsizetype i = 0; i < lines; ++i)
        units += text.line(i).length;
    const qsizetype size = writer.maxSize(colours.size(), units) + lines * writer.maxLineEndSize()
        + writer.maxFinishSize();

    QString written(size, Qt::Uninitialized);
    AdviseLargeBuffer(written.data(), size * qsizetype(sizeof(char16_t)));
    char16_t *const begin = reinterpret_cast<char16_t *>(written.data());
    char16_t *out = begin;
    const CharColour *entry = colours.constData();
    const CharColour *const end = entry + colours.size();
    for (qsizetype i = 0; i < lines; ++i) {
        // The entries of a line cover it from its start to its end; entries made
        // for another text do not, and nothing is written for them.
        const TextSpan line = text.line(i);
        const CharColour *lineEnd = entry;
        qsizetype at = line.start;
        while (lineEnd != end && lineEnd->start == at && at < line.end())
            at += (lineEnd++)->length;
        if (at != line.end())
            return {};
        out = writer.endLine(writer.write(out, text.text(), entry, lineEnd));
        entry = lineEnd;
    }
    if (entry != end)
        return {};
    written.resize(writer.finish(out) - begin);
    return written;
}

} // namespace huevane
