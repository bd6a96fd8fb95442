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

// The words of each format, known at compile time so that every copy below has
// a constant size. A run of characters in one colour is opening, colour, middle,
// the characters, then closing, or lineClosing at the end of a line.
template <bool UpperCase, bool NoQuotes>
struct FontTags
{
    static constexpr Words opening = UpperCase ? (NoQuotes ? u"<FONT COLOR=#" : u"<FONT COLOR=\"#")
                                               : (NoQuotes ? u"<font color=#" : u"<font color=\"#");
    static constexpr Words middle = NoQuotes ? u">" : u"\">";
    static constexpr Words closing = UpperCase ? u"</FONT>" : u"</font>";
    static constexpr Words lineClosing = closing;
    static constexpr Words lineEnd = u"<br>\r\n";
    static constexpr bool decimal = false;
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
struct BBCodeTags
{
    static constexpr Words opening = UpperCase ? u"[COLOR=#" : u"[color=#";
    static constexpr Words middle = u"]";
    static constexpr Words closing = UpperCase ? u"[/COLOR]" : u"[/color]";
    static constexpr Words lineClosing = closing;
    static constexpr Words lineEnd = u"\r\n";
    static constexpr bool decimal = false;
};

// Terminal colours: a new colour replaces the last without closing it.
template <bool, bool>
struct AnsiCodes
{
    static constexpr Words opening = u"\x1b[38;2;";
    static constexpr Words middle = u"m";
    static constexpr Words closing = u"";
    static constexpr Words lineClosing = u"\x1b[0m";
    static constexpr Words lineEnd = u"\n";
    static constexpr bool decimal = true;
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

template <bool Decimal>
char16_t *putColour(char16_t *out, const CharColour &entry)
{
    if constexpr (Decimal) {
        out = putDecimal(out, entry.red);
        *out++ = u';';
        out = putDecimal(out, entry.green);
        *out++ = u';';
        return putDecimal(out, entry.blue);
    } else {
        out = putHex(out, entry.red);
        out = putHex(out, entry.green);
        return putHex(out, entry.blue);
    }
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

// Without Merge every character gets a run of its own, closed at once.
template <typename T, bool Merge, bool Escape>
char16_t *writeRuns(char16_t *out, quint32 &open, const char16_t *units, const CharColour *first,
                    const CharColour *last)
{
    for (const CharColour *entry = first; entry != last; ++entry) {
        const quint32 colour = quint32(entry->red) << 16 | quint32(entry->green) << 8 | entry->blue;
        if (!Merge || colour != open) {
            if (Merge && open != NoRun)
                out = put(out, T::closing);
            out = put(out, T::opening);
            out = putColour<T::decimal>(out, *entry);
            out = put(out, T::middle);
            if (Merge)
                open = colour;
        }
        if (Escape)
            out = putEscaped(out, units + entry->start, entry->length);
        else if (entry->length == 1)
            *out++ = units[entry->start];
        else
            out = put(out, Words(units + entry->start, entry->length));
        if (!Merge)
            out = put(out, T::closing);
    }
    return out;
}

} // namespace

struct ColouredTextWriter::Format
{
    Words closing;
    Words lineClosing;
    Words lineEnd;
    qsizetype runSize; // the most a run takes, its characters left out
    using Write = char16_t *(*)(char16_t *out, quint32 &open, const char16_t *units,
                                const CharColour *first, const CharColour *last);
    Write write[2][2]; // by merge, then escape
};

namespace {

template <typename T>
constexpr ColouredTextWriter::Format formatOf {
    T::closing,
    T::lineClosing,
    T::lineEnd,
    qsizetype(T::opening.size() + (T::decimal ? 11 : 6) + T::middle.size() + T::closing.size()),
    {{&writeRuns<T, false, false>, &writeRuns<T, false, true>},
     {&writeRuns<T, true, false>, &writeRuns<T, true, true>}}};

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
    case OutputFormat::Font:
        break;
    }
    return pick<FontTags>(options);
}

} // namespace

ColouredTextWriter::ColouredTextWriter(const OutputOptions &options)
    : m_format(formatFor(options))
    , m_merge(options.merge || options.format == OutputFormat::Ansi)
    , m_escape(options.escape)
    , m_open(NoRun)
{ }

qsizetype ColouredTextWriter::maxSize(qsizetype characters, qsizetype units) const
{
    return characters * m_format->runSize + units * (m_escape ? LongestEscape : 1);
}

qsizetype ColouredTextWriter::maxLineEndSize() const
{
    return qsizetype(m_format->lineClosing.size() + m_format->lineEnd.size());
}

char16_t *ColouredTextWriter::write(char16_t *out, QStringView text, const CharColour *first,
                                    const CharColour *last)
{
    return m_format->write[m_merge][m_escape](out, m_open, text.utf16(), first, last);
}

char16_t *ColouredTextWriter::endLine(char16_t *out)
{
    if (m_open != NoRun)
        out = put(out, m_format->lineClosing);
    m_open = NoRun;
    return put(out, m_format->lineEnd);
}

QString GenerateHtml(QStringView text, const QList<TextSpan> &lines,
                     const QList<CharColour> &colours, const OutputOptions &options)
{
    if (IsBlankText(text))
        return {};

    ColouredTextWriter writer(options);
    qsizetype units = 0;
    for (const TextSpan &line : lines)
        units += line.length;
    const qsizetype size =
        writer.maxSize(colours.size(), units) + lines.size() * writer.maxLineEndSize();

    QString html(size, Qt::Uninitialized);
    AdviseLargeBuffer(html.data(), size * qsizetype(sizeof(char16_t)));
    char16_t *const begin = reinterpret_cast<char16_t *>(html.data());
    char16_t *out = begin;
    const CharColour *entry = colours.constData();
    const CharColour *const end = entry + colours.size();
    for (const TextSpan &line : lines) {
        // The entries of a line cover it from its start to its end; entries made
        // for another text do not, and nothing is written for them.
        const CharColour *lineEnd = entry;
        qsizetype at = line.start;
        while (lineEnd != end && lineEnd->start == at && at < line.end())
            at += (lineEnd++)->length;
        if (at != line.end())
            return {};
        out = writer.endLine(writer.write(out, text, entry, lineEnd));
        entry = lineEnd;
    }
    if (entry != end)
        return {};
    html.resize(out - begin);
    return html;
}

} // namespace huevane
