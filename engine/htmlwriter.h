#pragma once

#include "gradientsettings.h"

#include <QString>

namespace huevane {

/// How the HTML of a text is written.
struct HtmlOptions
{
    bool upperCaseTags = false; ///< <FONT COLOR=...>...</FONT> instead of lower case
    bool noQuotes = false;      ///< the colour attribute without quotes
};

/// UTF-16 code units that WriteHtmlTags writes for @p characters characters
/// taking @p units code units.
qsizetype HtmlTagsSize(HtmlOptions options, qsizetype characters, qsizetype units);

/// UTF-16 code units that WriteHtmlLine writes for a line of @p characters
/// characters taking @p units code units: the tags and the line end.
qsizetype HtmlLineSize(HtmlOptions options, qsizetype characters, qsizetype units);

/// The end of every line of HTML: "<br>" (always lower case) and CR LF.
inline constexpr QStringView HtmlLineEnd = u"<br>\r\n";

/// Writes every entry of [@p first, @p last) at @p out as its character of
/// @p text in a font tag of its own, <font color="#RRGGBB">c</font> (the bytes as
/// upper-case hexadecimal digits; the character unchanged, nothing escaped), and
/// returns the end of what it wrote. @p out must have room for HtmlTagsSize code
/// units.
char16_t *WriteHtmlTags(char16_t *out, HtmlOptions options, QStringView text,
                        const CharColour *first, const CharColour *last);

/// Writes one line of HTML at @p out and returns the end of what it wrote: the
/// tags of WriteHtmlTags, then HtmlLineEnd. @p out must have room for
/// HtmlLineSize code units.
char16_t *WriteHtmlLine(char16_t *out, HtmlOptions options, QStringView text,
                        const CharColour *first, const CharColour *last);

/// The text of @p settings written as HTML with the colours of charColours, line
/// by line as WriteHtmlLine writes them; every line (the last included, an empty
/// one too) ends in "<br>" and CR LF. Reads only. A blank text (IsBlankText), or
/// colours that were not computed for the current text, give the empty string.
QString GenerateHtml(const GradientSettings &settings);

} // namespace huevane
