#pragma once

#include "charcolour.h"
#include "formats.h"
#include "preparedtext.h"

#include <QString>

#include <memory>
#include <optional>

namespace huevane {

/// How a template of the user's own escapes the characters it writes.
enum class TemplateEscape : quint8 {
    None, ///< as they are
    Html, ///< &, <, > and " as &amp;, &lt;, &gt; and &quot;
    Xml,  ///< &, <, >, " and ' as entities, controls but the tab as U+FFFD
};

/// The ways' names, by TemplateEscape, as huevane-html's --template-escape takes them.
inline constexpr Words TemplateEscapeNames[] = {u"none", u"html", u"xml"};

/// The way called @p name, if there is one.
std::optional<TemplateEscape> FindTemplateEscape(QStringView name);

/// A template of the user's own, written in place of a format of the table.
struct OwnTemplate
{
    /// Each character, or run with merge: {c} at most once, {hex}, {HEX}, {r}, {g},
    /// {b}, and {{ and }} for braces; see OwnTemplateProblem.
    QString run;
    QString lineEnd = QStringLiteral("\n"); ///< after every line, the last and empty ones too
    QString head;                           ///< before the first line; empty by default
    QString tail;                           ///< after the last line; empty by default
    TemplateEscape escape = TemplateEscape::None;
};

/// What is wrong with @p run as an OwnTemplate::run; of kind None when it is good.
TemplateProblem OwnTemplateProblem(QStringView run);

/// How a coloured text is written. The defaults are what 'Generate' writes.
struct OutputOptions
{
    bool upperCaseTags = false; ///< where the format allows: its words outside quotes upper case
    bool noQuotes = false;      ///< where the format allows: the run without double quotes
    OutputFormat format = FormatNamed(u"font");
    /// Characters next to each other on a line in one colour share one run: one
    /// tag, code or object. Formats that always merge write a colour only where
    /// it changes, or where its palette entry does.
    bool merge = false;
    bool escape = false;    ///< the format's escaping, for those that escape on request only
    Styles styles = 0;      ///< styles over the colours; none by default
    quint32 background = 0; ///< 0xRRGGBB, where a format draws a background; black by default
    std::optional<OwnTemplate> ownTemplate {}; ///< when set, written in place of format
};

/// The first style of @p options.styles that its format (or template) cannot write,
/// with why not in a sentence without its full stop.
struct RefusedStyle
{
    Style style;
    QString reason;
};
std::optional<RefusedStyle> FindRefusedStyle(const OutputOptions &options);

/// Writes a coloured text line by line, the entries of a line in one piece or in
/// several: a run of one colour that a piece leaves open goes on in the next.
/// Every line ends with endLine(), the last one too, and the whole output with
/// finish(). The options' template must be good and their styles writable; a
/// style that is not is left out.
class ColouredTextWriter
{
public:
    explicit ColouredTextWriter(const OutputOptions &options);
    ~ColouredTextWriter();

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

    // For measuring an output without writing it all (fitting.h).

    /// What decides whether neighbours share a run: the colour @p rgb (0xRRGGBB)
    /// itself, or the number of its palette entry where the format has a palette.
    quint32 runKey(quint32 rgb) const;

    /// Writes at @p out the codes of a run of colour @p rgb as write() writes them,
    /// without its characters, the separator before it and the guard; @p out must
    /// have room for maxSize(1, 0) code units. Returns the end of what it wrote.
    char16_t *writeRunCodes(char16_t *out, quint32 rgb) const;

    /// Writes at @p out the code units @p units of the text as write() writes
    /// them in a run, escaped (nothing for a template without {c}); @p out must
    /// have room for maxSize(0, units.size()) code units.
    char16_t *writeText(char16_t *out, QStringView units) const;

    /// Writes at @p out what write() writes before the first run of the next line:
    /// for a line with @p characters, or without; endLine() then writes what comes
    /// after its runs. @p out must have room for maxLineEndSize() code units.
    char16_t *openLine(char16_t *out, bool characters);

    struct Shape;   // how one format writes its runs
    struct Context; // what its runs need at run time

    /// What the writing carries from one piece to the next.
    struct Runs
    {
        quint32 open;        // the run still open on the line: 0xRRGGBB, a palette number, or none
        bool afterSomething; // a run or line end was written, so a separator comes next
    };

private:
    char16_t *begin(char16_t *out);
    char16_t *startLine(char16_t *out);

    const Shape *m_shape;
    std::unique_ptr<Context> m_context;
    bool m_merge;
    bool m_escape;
    bool m_styled = false; // the runs write styles
    Runs m_runs;
    std::u16string m_head, m_tail, m_lineEnd, m_separator;
    std::u16string m_linePrefix, m_lineAdvanceSuffix; // around {advance}, if there is one
    std::u16string m_lineOpen, m_lineClose;           // styles and the format's own line words
    qint64 m_lineHeight;
    qint64 m_emptyLines = 0; // lines without characters since the last with some
    bool m_lineEndBetween;
    bool m_begun = false;        // the output's head is written
    bool m_lineBreakDue = false; // a line ended; its break goes before whatever follows
    bool m_lineStarted = false;  // the line's first character is written
};

/// The lines of @p text as 'Generate' writes them for the default options: every
/// character in a font tag of its own, in its colour of @p colours, and every line
/// (the last included, an empty one too) ending in "<br>" and CR LF; or in any
/// format as @p options say, exactly what huevane-html writes for the same text.
/// A blank text (IsBlankText), or colours that are not one entry for every
/// character of the lines, in order, give the empty string.
QString FormattedText(const PreparedText &text, const QList<CharColour> &colours,
                      const OutputOptions &options = {});

} // namespace huevane
