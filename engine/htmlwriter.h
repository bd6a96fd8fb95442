#pragma once

#include "gradientsettings.h"

#include <QString>

#include <string_view>

namespace huevane {

/// The pieces of HTML written around every character, for one choice of the
/// upper-case and no-quotes options, and the writing of them into a buffer.
///
/// One character is written as <font color="#RRGGBB">c</font> (upper case:
/// <FONT COLOR=...>...</FONT>; no quotes: without the two quote characters), the
/// colour bytes as two upper-case hexadecimal digits; the character is written
/// unchanged, nothing escaped. Every line ends in "<br>" (always lower case) and CR LF.
class HtmlTags
{
public:
    HtmlTags(bool upperCaseTags, bool noQuotes);

    /// UTF-16 code units written for one character of @p length units.
    qsizetype characterSize(qsizetype length) const { return m_fixedSize + length; }

    /// Writes one coloured character at @p out and returns the end of what it wrote.
    char16_t *writeCharacter(char16_t *out, QStringView character, quint8 red, quint8 green,
                             quint8 blue) const;

    /// UTF-16 code units of a line end.
    static constexpr qsizetype LineEndSize = 6;

    /// Writes "<br>" and CR LF at @p out and returns the end of what it wrote.
    static char16_t *writeLineEnd(char16_t *out);

private:
    std::u16string_view m_opening; // opening, quote, "#"
    std::u16string_view m_middle;  // quote, ">"
    std::u16string_view m_closing;
    qsizetype m_fixedSize;
};

/// The text of @p settings written as HTML with the colours of charColours: every
/// character in its own font tag, every line (the last included, an empty one
/// too) ending in "<br>" and CR LF. Reads only. A blank text (IsBlankText), or
/// colours that were not computed for the current text, give the empty string.
QString GenerateHtml(const GradientSettings &settings);

} // namespace huevane
