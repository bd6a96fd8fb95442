#pragma once

#include "floatsteps.h"
#include "linecolourer.h"

#include <optional>

namespace huevane {

/// The colours of the window's arithmetic: from the start colour to the end
/// colour (or back, or up to the centre and back), carrying the running colour
/// from line to line in whole-text mode.
///
/// The arithmetic is exact to the float: working values are 32-bit floats, every
/// expression is evaluated in double from the stored floats and rounded to float
/// once, when stored, and every conversion to a whole number is half-even. The
/// start and end colours are brought into 0..255 first.
class ColourStepper : public LineColourer
{
public:
    /// Prepares a run over @p settings; gradientType must be 1, 2 or 3.
    explicit ColourStepper(const GradientSettings &settings);

protected:
    void beginLine(qsizetype index, qsizetype characters) override;
    void colour(CharColour *first, CharColour *last) override;

private:
    float m_from[3];
    float m_to[3];
    FloatSteps m_steps;
    qint64 m_coloured = 0; // characters coloured so far in the current run
};

/// One entry for every character of the text's lines, totalChars entries in text
/// order, for the settings' type, colours, centre and per-line option; nothing
/// when gradientType is not 1, 2 or 3.
std::optional<QList<CharColour>> ComputeCharColours(const GradientSettings &settings);

/// The colours of @p colourer for every line of @p settings, in order.
QList<CharColour> ColourAllLines(const GradientSettings &settings, LineColourer &colourer);

} // namespace huevane
