#pragma once

#include "charcolour.h"
#include "colour.h"
#include "parse.h"
#include "preparedtext.h"

#include <QList>
#include <QString>

namespace huevane {

/// The gradient types.
enum GradientType : quint8 {
    StartToEnd = 1,  ///< from the start colour to the end colour
    EndToStart = 2,  ///< from the end colour to the start colour
    RiseAndFall = 3, ///< from the start colour to the end colour at the centre, and back
};

/// Everything that decides a gradient, and the colours last computed for it.
///
/// Set the text only through SetText, which keeps lines, totalChars and centre in
/// step with it and drops colours computed for an earlier text.
struct GradientSettings
{
    QString text;                        ///< the text, lines separated by CR LF; empty by default
    QList<TextSpan> lines {TextSpan {}}; ///< text split at CR LF; always at least one line
    qint32 totalChars = 0;               ///< characters of all lines, line breaks not counted
    ColourTriplet startColour;           ///< 0, 0, 0 by default
    ColourTriplet endColour;             ///< 0, 0, 0 by default
    ColourTriplet backColour;            ///< 0, 0, 0 by default
    quint8 gradientType = StartToEnd;    ///< 1 to 3, see GradientType
    qint32 centre = 0;             ///< turning point of type 3, in characters of the whole text
    bool perLine = false;          ///< the gradient restarts on every line
    bool upperCaseTags = false;    ///< font tags in upper case
    bool noQuotes = false;         ///< the colour attribute without quotes
    float textSize = 8.0f;         ///< point size of the text preview
    QList<CharColour> charColours; ///< the window's copy of the colours last computed

    /// Line @p index (0-based) as a view into text.
    QStringView line(qsizetype index) const { return lines.at(index).in(text); }
};

/// The line delimiter of GradientSettings::text.
inline constexpr QStringView LineBreak = u"\r\n";

/// Sets the text: splits it into lines at CR LF, counts its characters into
/// totalChars, sets centre to totalChars / 2 (half-even) and clears charColours.
/// An empty text gives one empty line and totalChars 0.
void SetText(GradientSettings &settings, const QString &text);

/// The length of the whole text of @p settings in characters with each line
/// break counted as its two characters, CR and LF.
qint64 WholeTextLength(const GradientSettings &settings);

/// Half of @p length to the nearest whole number, ties to the even one.
qint32 Middle(qint64 length);

} // namespace huevane
