#pragma once

#include "engine/charcolours.h"
#include "engine/gradientsettings.h"
#include "engine/htmlwriter.h"

#include <QList>

#include <optional>

namespace huevane::test {

/// What a test changes of a gradient record; everything else keeps its default.
struct Gradient
{
    ColourTriplet start {255, 0, 0};
    ColourTriplet end {0, 0, 255};
    int type = StartToEnd;
    std::optional<qint32> centre; ///< none: the middle SetText chooses
    bool perLine = false;
    bool upperCaseTags = false;
    bool noQuotes = false;
};

/// A record for @p text and @p gradient, with its colours computed.
inline GradientSettings Coloured(const QString &text, const Gradient &gradient = {})
{
    GradientSettings settings;
    SetText(settings, text);
    settings.startColour = gradient.start;
    settings.endColour = gradient.end;
    settings.gradientType = static_cast<quint8>(gradient.type);
    if (gradient.centre)
        settings.centre = *gradient.centre;
    settings.perLine = gradient.perLine;
    settings.upperCaseTags = gradient.upperCaseTags;
    settings.noQuotes = gradient.noQuotes;
    settings.charColours = ComputeCharColours(settings).value_or(QList<CharColour> {});
    return settings;
}

/// What 'Generate' writes for @p settings and their colours.
inline QString Html(const GradientSettings &settings)
{
    return GenerateHtml(PreparedText(settings.text), settings.charColours,
                        {settings.upperCaseTags, settings.noQuotes});
}

/// One component (0 red, 1 green, 2 blue) of every entry, in order.
inline QList<int> Components(const GradientSettings &settings, int component)
{
    QList<int> values;
    values.reserve(settings.charColours.size());
    for (const CharColour &c : settings.charColours)
        values.append(component == 0 ? c.red : component == 1 ? c.green : c.blue);
    return values;
}

} // namespace huevane::test
