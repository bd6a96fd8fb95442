#pragma once

#include "colour.h"
#include "formatwriter.h"
#include "gradient.h"
#include "preparedtext.h"

namespace huevane {

/// What the window shows and writes: the text, its gradient, the way 'Generate'
/// writes it, the preview's background and text size. The colours computed for
/// them are not part of it: whoever computes them holds them.
struct GradientSettings
{
    PreparedText text;        ///< lines separated by CR LF (LineBreak); empty by default
    Gradient gradient;        ///< type 1, turning point 0, colours 0, 0, 0 by default
    OutputOptions output;     ///< font tags, both tag options off by default
    ColourTriplet backColour; ///< 0, 0, 0 by default
    float textSize = 8.0f;    ///< point size of the text preview
};

/// The line break between the lines of the window's text.
inline constexpr QStringView LineBreak = u"\r\n";

/// Sets the text: prepares it (its lines and characters) and puts the turning
/// point in the middle of its characters, totalChars / 2 (half-even).
void SetText(GradientSettings &settings, QString text);

} // namespace huevane
