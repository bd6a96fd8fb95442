#include "htmlwriter.h"

#include "memoryadvice.h"

#include <array>
#include <cstring>
#include <string_view>

namespace huevane {

namespace {

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

// The tag words of one choice of options, known at compile time so that every
// copy below has a constant size.
template <bool UpperCase, bool NoQuotes>
struct Tags
{
    static constexpr std::u16string_view opening = UpperCase
        ? (NoQuotes ? u"<FONT COLOR=#" : u"<FONT COLOR=\"#")
        : (NoQuotes ? u"<font color=#" : u"<font color=\"#");
    static constexpr std::u16string_view middle = NoQuotes ? u">" : u"\">";
    static constexpr std::u16string_view closing = UpperCase ? u"</FONT>" : u"</font>";
    static constexpr qsizetype fixedSize =
        qsizetype(opening.size() + 6 + middle.size() + closing.size());
};

char16_t *put(char16_t *out, std::u16string_view piece)
{
    std::memcpy(out, piece.data(), piece.size() * sizeof(char16_t));
    return out + piece.size();
}

char16_t *putByte(char16_t *out, quint8 value)
{
    out[0] = hexDigits[2 * value];
    out[1] = hexDigits[2 * value + 1];
    return out + 2;
}

template <bool UpperCase, bool NoQuotes>
char16_t *writeTags(char16_t *out, QStringView text, const CharColour *first,
                    const CharColour *last)
{
    using T = Tags<UpperCase, NoQuotes>;
    const char16_t *units = text.utf16();
    for (const CharColour *entry = first; entry != last; ++entry) {
        out = put(out, T::opening);
        out = putByte(out, entry->red);
        out = putByte(out, entry->green);
        out = putByte(out, entry->blue);
        out = put(out, T::middle);
        if (entry->length == 1)
            *out++ = units[entry->start];
        else
            out = put(out, std::u16string_view(units + entry->start, entry->length));
        out = put(out, T::closing);
    }
    return out;
}

qsizetype fixedSize(HtmlOptions options)
{
    if (options.upperCaseTags)
        return options.noQuotes ? Tags<true, true>::fixedSize : Tags<true, false>::fixedSize;
    return options.noQuotes ? Tags<false, true>::fixedSize : Tags<false, false>::fixedSize;
}

} // namespace

qsizetype HtmlTagsSize(HtmlOptions options, qsizetype characters, qsizetype units)
{
    return characters * fixedSize(options) + units;
}

qsizetype HtmlLineSize(HtmlOptions options, qsizetype characters, qsizetype units)
{
    return HtmlTagsSize(options, characters, units) + HtmlLineEnd.size();
}

char16_t *WriteHtmlTags(char16_t *out, HtmlOptions options, QStringView text,
                        const CharColour *first, const CharColour *last)
{
    if (options.upperCaseTags) {
        return options.noQuotes ? writeTags<true, true>(out, text, first, last)
                                : writeTags<true, false>(out, text, first, last);
    }
    return options.noQuotes ? writeTags<false, true>(out, text, first, last)
                            : writeTags<false, false>(out, text, first, last);
}

char16_t *WriteHtmlLine(char16_t *out, HtmlOptions options, QStringView text,
                        const CharColour *first, const CharColour *last)
{
    out = WriteHtmlTags(out, options, text, first, last);
    return put(out, std::u16string_view(HtmlLineEnd.utf16(), size_t(HtmlLineEnd.size())));
}

QString GenerateHtml(const GradientSettings &settings)
{
    const QList<CharColour> &colours = settings.charColours;
    if (IsBlankText(settings.text) || colours.size() != settings.totalChars)
        return {};

    const HtmlOptions options {settings.upperCaseTags, settings.noQuotes};
    qsizetype units = 0;
    for (const TextSpan &line : settings.lines)
        units += line.length;
    const qsizetype size = HtmlLineSize(options, settings.totalChars, units)
        + (settings.lines.size() - 1) * HtmlLineSize(options, 0, 0);

    QString html(size, Qt::Uninitialized);
    AdviseLargeBuffer(html.data(), size * qsizetype(sizeof(char16_t)));
    char16_t *out = reinterpret_cast<char16_t *>(html.data());
    const CharColour *entry = colours.constData();
    const CharColour *const end = entry + colours.size();
    for (const TextSpan &line : settings.lines) {
        const CharColour *lineEnd = entry;
        while (lineEnd != end && lineEnd->start < line.end())
            ++lineEnd;
        out = WriteHtmlLine(out, options, settings.text, entry, lineEnd);
        entry = lineEnd;
    }
    Q_ASSERT(out == reinterpret_cast<char16_t *>(html.data()) + html.size());
    return html;
}

} // namespace huevane
