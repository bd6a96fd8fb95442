#include "htmlwriter.h"

#include <array>
#include <cstring>

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

char16_t *copy(char16_t *out, std::u16string_view piece)
{
    std::memcpy(out, piece.data(), piece.size() * sizeof(char16_t));
    return out + piece.size();
}

char16_t *writeByte(char16_t *out, quint8 value)
{
    out[0] = hexDigits[2 * value];
    out[1] = hexDigits[2 * value + 1];
    return out + 2;
}

} // namespace

HtmlTags::HtmlTags(bool upperCaseTags, bool noQuotes)
{
    if (upperCaseTags) {
        m_opening = noQuotes ? u"<FONT COLOR=#" : u"<FONT COLOR=\"#";
        m_closing = u"</FONT>";
    } else {
        m_opening = noQuotes ? u"<font color=#" : u"<font color=\"#";
        m_closing = u"</font>";
    }
    m_middle = noQuotes ? u">" : u"\">";
    m_fixedSize = static_cast<qsizetype>(m_opening.size() + 6 + m_middle.size() + m_closing.size());
}

char16_t *HtmlTags::writeCharacter(char16_t *out, QStringView character, quint8 red, quint8 green,
                                   quint8 blue) const
{
    out = copy(out, m_opening);
    out = writeByte(out, red);
    out = writeByte(out, green);
    out = writeByte(out, blue);
    out = copy(out, m_middle);
    out = copy(out, std::u16string_view(character.utf16(), static_cast<size_t>(character.size())));
    return copy(out, m_closing);
}

char16_t *HtmlTags::writeLineEnd(char16_t *out)
{
    return copy(out, u"<br>\r\n");
}

QString GenerateHtml(const GradientSettings &settings)
{
    const QList<CharColour> &colours = settings.charColours;
    if (IsBlankText(settings.text) || colours.size() != settings.totalChars)
        return {};

    const HtmlTags tags(settings.upperCaseTags, settings.noQuotes);
    qsizetype size = settings.lines.size() * HtmlTags::LineEndSize;
    for (const CharColour &c : colours)
        size += tags.characterSize(c.length);

    QString html(size, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(html.data());
    const CharColour *entry = colours.constData();
    const CharColour *const last = entry + colours.size();
    for (const TextSpan &line : settings.lines) {
        for (; entry != last && entry->start < line.end(); ++entry) {
            out = tags.writeCharacter(out, entry->character(settings.text), entry->red,
                                      entry->green, entry->blue);
        }
        out = HtmlTags::writeLineEnd(out);
    }
    Q_ASSERT(out == reinterpret_cast<char16_t *>(html.data()) + html.size());
    return html;
}

} // namespace huevane
