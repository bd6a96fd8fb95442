#pragma once

#include "charcolour.h"
#include "preparedtext.h"

#include <QString>

namespace huevane {

/// The ways a coloured text can be written. RRGGBB is a colour in upper-case
/// hexadecimal, rrggbb in lower-case; R, G and B are its components in decimal.
/// Values are never renumbered: new ones are appended.
enum class OutputFormat : quint8 {
    Font,             ///< <font color="#RRGGBB">c</font>; a line ends in "<br>" and CR LF
    Span,             ///< <span style="color:#RRGGBB">c</span>; a line ends in "<br>" and CR LF
    BBCode,           ///< [color=#RRGGBB]c[/color]; a line ends in CR LF
    Ansi,             ///< ESC[38;2;R;G;Bm where the colour changes, ESC[0m and LF at a line's end
    MinecraftHex,     ///< &#RRGGBBc; a line ends in LF
    MinecraftSection, ///< §x§r§r§g§g§b§b, then c; a line ends in LF
    MiniMessage,      ///< <#rrggbb>c, with \ and < in c written \\ and \<; LF
    /// One JSON text component {"text":"","extra":[...]} and LF, an object
    /// {"text":"c","color":"#rrggbb"} per character, {"text":"\n"} between lines;
    /// c escaped as JSON requires.
    MinecraftJson,
    /// ESC[38;5;Nm where N changes, N the nearest colour of the 256-colour
    /// palette (16 to 255); ESC[0m and LF at a line's end.
    Ansi256,
};

/// How a coloured text is written. The defaults are what 'Generate' writes.
struct OutputOptions
{
    bool upperCaseTags = false; ///< tag names (for font, attribute names too) in upper case
    bool noQuotes = false;      ///< the colour attribute without quotes (font, span)
    OutputFormat format = OutputFormat::Font;
    /// Characters next to each other on a line in one colour share one tag (or
    /// one JSON object); ansi and ansi256 always write a colour only where it
    /// changes, ansi256 where its palette number does.
    bool merge = false;
    bool escape = false; ///< &, < and > written as &amp;, &lt; and &gt; (for font and span)
};

/// Writes a coloured text line by line, the entries of a line in one piece or in
/// several: a run of one colour that a piece leaves open goes on in the next.
/// Every line ends with endLine(), the last one too, and the whole output with
/// finish(), which only minecraft-json needs.
class ColouredTextWriter
{
public:
    explicit ColouredTextWriter(const OutputOptions &options);

    /// The most UTF-16 code units that write() writes for @p characters entries
    /// taking @p units code units of the text.
    qsizetype maxSize(qsizetype characters, qsizetype units) const;

    /// The most UTF-16 code units that endLine() writes.
    qsizetype maxLineEndSize() const;

    /// The most UTF-16 code units that finish() writes.
    qsizetype maxFinishSize() const;

    /// Writes the entries [@p first, @p last), the next characters of the line,
    /// with their characters of @p text at @p out, and returns the end of what it
    /// wrote. @p out must have room for maxSize() code units.
    char16_t *write(char16_t *out, QStringView text, const CharColour *first,
                    const CharColour *last);

    /// Closes the line's last run and writes the line end at @p out, which must
    /// have room for maxLineEndSize() code units; returns the end of what it wrote.
    char16_t *endLine(char16_t *out);

    /// Ends the output, after the last line's endLine(), at @p out, which must
    /// have room for maxFinishSize() code units; returns the end of what it wrote.
    char16_t *finish(char16_t *out);

    struct Format; // the words of one format, and its writing loop

    /// What the writing carries from one piece to the next.
    struct Runs
    {
        quint32 open;     // the run still open on the line: 0xRRGGBB, a palette number, or none
        bool afterObject; // a JSON object was written, so the next one follows a comma
    };

private:
    char16_t *begin(char16_t *out);

    const Format *m_format;
    bool m_merge;
    bool m_escape;
    Runs m_runs;
    bool m_begun = false;        // the output's head is written
    bool m_lineBreakDue = false; // a line ended; its break goes before whatever follows
};

/// The lines of @p text as 'Generate' writes them for the default options: every
/// character in a font tag of its own, in its colour of @p colours, and every line
/// (the last included, an empty one too) ending in "<br>" and CR LF; or in any
/// format as @p options say, exactly what huevane-html writes for the same text.
/// A blank text (IsBlankText), or colours that are not one entry for every
/// character of the lines, in order, give the empty string.
QString GenerateHtml(const PreparedText &text, const QList<CharColour> &colours,
                     const OutputOptions &options = {});

} // namespace huevane
