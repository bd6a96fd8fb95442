#pragma once

#include "engine/charcolours.h"
#include "engine/formatwriter.h"
#include "engine/stripes.h"

#include <QList>

#include <optional>

namespace huevane::test {

/// What a test changes of a gradient; everything else keeps its default.
struct Gradient
{
    ColourTriplet start {255, 0, 0};
    ColourTriplet end {0, 0, 255};
    int type = 1;
    std::optional<qint32> centre = std::nullopt; ///< none: the middle of the text's characters
    bool perLine = false;
    std::optional<StopGradient> stops = std::nullopt; ///< none: the two colours in rgb
};

/// A prepared text and its colours.
struct ColouredText
{
    PreparedText text;
    QList<CharColour> colours; ///< none for a type other than 1 to 3
};

/// @p text prepared, with its colours computed for @p gradient.
inline ColouredText Coloured(const QString &text, const Gradient &gradient = {})
{
    ColouredText coloured {PreparedText(text), {}};
    const StopGradient stops = gradient.stops.value_or(StopGradient {});
    const huevane::Gradient described {gradient.start,
                                       gradient.end,
                                       stops.stops,
                                       stops.space,
                                       stops.hue,
                                       GradientType(gradient.type),
                                       gradient.centre.value_or(Middle(coloured.text.totalChars())),
                                       gradient.perLine};
    coloured.colours = ComputeCharColours(coloured.text, described).value_or(QList<CharColour> {});
    return coloured;
}

/// What 'Generate' writes for @p coloured with @p options.
inline QString Html(const ColouredText &coloured, const OutputOptions &options = {})
{
    return FormattedText(coloured.text, coloured.colours, options);
}

/// A type preview's stripes of @p kind from @p start to @p end, in two colours.
inline StripeSettings Stripes(int kind, ColourTriplet start, ColourTriplet end, qint32 count,
                              qint32 centre)
{
    huevane::Gradient gradient;
    gradient.start = start;
    gradient.end = end;
    gradient.type = GradientType(kind);
    gradient.centre = centre;
    return {gradient, count};
}

/// One component (0 red, 1 green, 2 blue) of every entry, in order.
inline QList<int> Components(const QList<CharColour> &colours, int component)
{
    QList<int> values;
    values.reserve(colours.size());
    for (const CharColour &c : colours)
        values.append(component == 0 ? c.red : component == 1 ? c.green : c.blue);
    return values;
}

} // namespace huevane::test
