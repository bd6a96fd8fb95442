#pragma once

#include "charcolour.h"
#include "formatwriter.h"
#include "lengthunits.h"
#include "preparedtext.h"

#include <QList>

#include <functional>
#include <optional>

namespace huevane {

/// How the length of an output is measured.
struct LengthMeasure
{
    LengthUnit unit = LengthUnit::CodePoints;
    /// The longest of its lines (what lies between its line feeds, a line feed not
    /// counted) instead of the whole output; false by default.
    bool perLine = false;

    friend bool operator==(const LengthMeasure &, const LengthMeasure &) = default;
};

/// The most an output may take.
struct LengthLimit
{
    qint64 length = 0; ///< in the measure's unit, 1 or more
    LengthMeasure measure {};

    friend bool operator==(const LengthLimit &, const LengthLimit &) = default;
};

/// A place that caps what is pasted into it, by name.
struct FitTarget
{
    Words name;    ///< as huevane-html's --fit takes it
    Words caption; ///< the entry of the window's 'Fit to' menu
    LengthLimit limit;
};

/// Every named place, in the order --list-fits and the 'Fit to' menu list them.
inline constexpr FitTarget FitTargets[] = {
    {u"minecraft-chat", u"Minecraft chat", {256, {LengthUnit::Utf16}}},
    {u"minecraft-anvil", u"Minecraft anvil name", {50, {LengthUnit::Utf16}}},
    {u"discord", u"Discord message", {2000, {LengthUnit::Utf16}}},
    {u"irc", u"IRC line", {400, {LengthUnit::Bytes, true}}},
};

/// The place called @p name, if there is one.
const FitTarget *FindFitTarget(QStringView name);

/// Takes the colours of a text as ForEachColourBatch hands them over: for every
/// line in order, its entries in one batch or more (none for an empty line), then
/// endLine().
class ColourFeed
{
public:
    virtual void take(const CharColour *first, const CharColour *last) = 0;
    virtual void endLine() = 0;

protected:
    ~ColourFeed() = default;
};

/// Hands the colours of a text to a feed, the same every time it is called: a
/// search for k goes over them a few times.
using ColourPasses = std::function<void(ColourFeed &feed)>;

/// @p colours, one entry for every character of @p text in order, as passes; both
/// must outlive them.
ColourPasses PassesOver(const PreparedText &text, const QList<CharColour> &colours);

/// Whether the length of what @p options write can be measured as @p measure says:
/// the lines of a template that writes a line feed for every character cannot.
bool CanMeasure(const OutputOptions &options, LengthMeasure measure);

/// The length, measured as @p measure says, of what FormattedText writes for
/// @p text with @p options and the colours of @p passes grouped by @p k
/// (GroupedColours), worked out without writing it; 0 for a blank text.
qint64 OutputLength(const PreparedText &text, const OutputOptions &options, LengthMeasure measure,
                    qint32 k, const ColourPasses &passes);

/// The same for @p colours, one entry for every character of @p text (0 when they
/// are not, as FormattedText writes nothing for them).
qint64 OutputLength(const PreparedText &text, const QList<CharColour> &colours,
                    const OutputOptions &options, LengthMeasure measure, qint32 k = 1);

/// The finest output that fits a limit, or the shortest when none does.
struct Fit
{
    bool fits = false;
    qint32 k = 1;      ///< characters a colour: the smallest that fits, or the shortest output's
    qint64 length = 0; ///< of the output with that k
};

/// The finest output of @p text in the colours of @p passes that fits @p limit:
/// written with @p options and runs merged (merge set, whatever the options say),
/// the smallest k whose grouped colours (GroupedColours) fit. When none does, not
/// even one colour a line, the k of the shortest output and its length.
///
/// k is never more than the characters of the longest line, where every line has
/// one colour. Groups of up to @p streamedUpTo characters are found in one pass over
/// the colours, keeping no more than a batch of them; larger ones (a limit that
/// leaves fewer than one colour every 4,096 characters) hold the lines longer than
/// that, 4 bytes a character.
Fit FindFit(const PreparedText &text, const OutputOptions &options, const LengthLimit &limit,
            const ColourPasses &passes, qint32 streamedUpTo = 4096);

/// The same for @p colours, one entry for every character of @p text.
Fit FindFit(const PreparedText &text, const QList<CharColour> &colours,
            const OutputOptions &options, const LengthLimit &limit);

} // namespace huevane
