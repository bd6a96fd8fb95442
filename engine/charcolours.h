#pragma once

#include "floatsteps.h"
#include "linecolourer.h"

#include <memory>
#include <optional>

namespace huevane {

/// The colours of the window's arithmetic: from the start colour to the end
/// colour (or back, or up to the turning point and back), carrying the running
/// colour from line to line in whole-text mode.
///
/// The arithmetic is exact to the float: working values are 32-bit floats, every
/// expression is evaluated in double from the stored floats and rounded to float
/// once, when stored, and every conversion to a whole number is half-even. The
/// start and end colours are brought into 0..255 first.
class ColourStepper : public LineColourer
{
public:
    /// Prepares a run over @p text for @p gradient, whose type must be 1, 2 or 3;
    /// its stops and space are not used.
    ColourStepper(const PreparedText &text, const Gradient &gradient);

protected:
    void beginLine(qsizetype index, qsizetype characters) override;
    void colour(CharColour *first, CharColour *last) override;

private:
    float m_from[3];
    float m_to[3];
    FloatSteps m_steps;
    qint64 m_coloured = 0; // characters coloured so far in the current run
};

/// What colours @p text, which must outlive it, for @p gradient: a ColourStepper
/// with no stops in rgb, otherwise a StopStepper; null for a type other than 1 to 3.
std::unique_ptr<LineColourer> MakeColourer(const PreparedText &text, const Gradient &gradient);

/// One entry for every character of the lines of @p text, totalChars() entries
/// in text order, coloured for @p gradient; nothing for a type other than 1 to 3.
std::optional<QList<CharColour>> ComputeCharColours(const PreparedText &text,
                                                    const Gradient &gradient);

/// The entries ComputeCharColours gives, handed over as they are made instead of
/// kept: for every line in order, @p take(const CharColour *first, const
/// CharColour *last) with its entries in batches of at most @p batch, then
/// @p endLine(). So no more than @p batch entries are held at a time, whatever
/// the length of a line. False, calling neither, for a type other than 1 to 3.
template <typename Take, typename EndLine>
bool ForEachColourBatch(const PreparedText &text, const Gradient &gradient, qsizetype batch,
                        Take &&take, EndLine &&endLine)
{
    const std::unique_ptr<LineColourer> colourer = MakeColourer(text, gradient);
    if (!colourer)
        return false;
    for (qsizetype i = 0; i < text.lineCount(); ++i) {
        colourer->colourLineInBatches(i, batch, take);
        endLine();
    }
    return true;
}

} // namespace huevane
