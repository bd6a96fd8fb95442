#pragma once

#include "gradientsettings.h"

#include <QString>

namespace huevane {

/// The ways a coloured text can be written. RRGGBB is a colour in upper-case
/// hexadecimal; R, G and B are its components in decimal.
enum class OutputFormat : quint8 {
    Font,   ///< <font color="#RRGGBB">c</font>; a line ends in "<br>" and CR LF
    Span,   ///< <span style="color:#RRGGBB">c</span>; a line ends in "<br>" and CR LF
    BBCode, ///< [color=#RRGGBB]c[/color]; a line ends in CR LF
    Ansi,   ///< ESC[38;2;R;G;Bm where the colour changes, ESC[0m and LF at a line's end
};

/// How a coloured text is written. The defaults are what 'Generate' writes.
struct OutputOptions
{
    bool upperCaseTags = false; ///< tag names (for font, attribute names too) in upper case
    bool noQuotes = false;      ///< the colour attribute without quotes (font, span)
    OutputFormat format = OutputFormat::Font;
    /// Characters next to each other on a line in one colour share one tag;
    /// ansi always writes a colour only where it changes.
    bool merge = false;
    bool escape = false; ///< &, < and > written as &amp;, &lt; and &gt; (for font and span)
};

/// Writes a coloured text line by line, the entries of a line in one piece or in
/// several: a run of one colour that a piece leaves open goes on in the next.
class ColouredTextWriter
{
public:
    explicit ColouredTextWriter(const OutputOptions &options);

    /// The most UTF-16 code units that write() writes for @p characters entries
    /// taking @p units code units of the text.
    qsizetype maxSize(qsizetype characters, qsizetype units) const;

    /// The most UTF-16 code units that endLine() writes.
    qsizetype maxLineEndSize() const;

    /// Writes the entries [@p first, @p last), the next characters of the line,
    /// with their characters of @p text at @p out, and returns the end of what it
    /// wrote. @p out must have room for maxSize() code units.
    char16_t *write(char16_t *out, QStringView text, const CharColour *first,
                    const CharColour *last);

    /// Closes the line's last run and writes the line end at @p out, which must
    /// have room for maxLineEndSize() code units; returns the end of what it wrote.
    char16_t *endLine(char16_t *out);

    struct Format; // the words of one format, and its writing loop

private:
    const Format *m_format;
    bool m_merge;
    bool m_escape;
    quint32 m_open; // colour of the run still open on the line, as 0xRRGGBB, or NoRun
};

/// The lines of @p text (spans into it) as 'Generate' writes them for the
/// default options: every character in a font tag of its own, in its colour of
/// @p colours, and every line (the last included, an empty one too) ending in
/// "<br>" and CR LF; or as @p options say. A blank text (IsBlankText), or colours
/// that are not one entry for every character of the lines, in order, give the
/// empty string.
QString GenerateHtml(QStringView text, const QList<TextSpan> &lines,
                     const QList<CharColour> &colours, const OutputOptions &options = {});

} // namespace huevane
