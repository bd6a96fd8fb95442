#pragma once

#include "gradientsettings.h"

namespace huevane {

/// Colours the lines of a gradient one after the other, carrying the running
/// colour from line to line in whole-text mode. ComputeCharColours runs it over
/// every line; huevane-html runs it line by line to write as it goes.
///
/// The arithmetic is exact to the float: working values are 32-bit floats, every
/// expression is evaluated in double from the stored floats and rounded to float
/// once, when stored, and every conversion to a whole number is half-even. The
/// start and end colours are brought into 0..255 first.
class ColourStepper
{
public:
    /// Prepares a run over @p settings, which must outlive the stepper and stay
    /// unchanged while it is used. gradientType must be 1, 2 or 3.
    explicit ColourStepper(const GradientSettings &settings);

    /// Appends one entry to @p out for every character of line @p index, in order.
    /// Lines must be coloured in order, from line 0, each once.
    void colourLine(qsizetype index, QList<CharColour> &out);

private:
    const GradientSettings &m_settings;
    float m_from[3];
    float m_to[3];
    float m_current[3];
    qint64 m_coloured = 0; // k: characters coloured so far in the current run
};

/// Replaces charColours by one entry for every character of the text's lines,
/// totalChars entries in text order, for the settings' type, colours, centre and
/// per-line option. Returns false, leaving charColours empty, when gradientType is
/// not 1, 2 or 3.
bool ComputeCharColours(GradientSettings &settings);

} // namespace huevane
