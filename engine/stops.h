#pragma once

#include "colourspaces.h"
#include "rounding.h"

#include <QList>

#include <algorithm>
#include <array>

namespace huevane {

/// One colour of a gradient through stops, at its place on the run.
struct Stop
{
    quint8 red = 0;
    quint8 green = 0;
    quint8 blue = 0;
    double position = 0.0; ///< percent of the run, 0 to 100

    friend bool operator==(const Stop &, const Stop &) = default;
};

/// Which way round the circle a hue goes from one stop to the next.
enum class HueRule : quint8 {
    Shorter, ///< the shorter way; hues 180 degrees apart go straight from one to the other
    Longer,  ///< the longer way; equal hues go once round the circle, upwards
};

/// The name of @p rule as huevane-html takes it: shorter or longer.
QLatin1StringView HueRuleName(HueRule rule);

/// The fewest and the most stops of a gradient.
inline constexpr int FewestStops = 2;
inline constexpr int MostStops = 16;

/// A gradient through 2 to 16 stops, mixed in one colour space.
struct StopGradient
{
    QList<Stop> stops; ///< positions never decreasing
    ColourSpace space = ColourSpace::Rgb;
    HueRule hue = HueRule::Shorter; ///< for Oklch and Hsl

    friend bool operator==(const StopGradient &, const StopGradient &) = default;
};

/// The colours of a StopGradient at any place, with the stops converted into its
/// space once.
class StopMixer
{
public:
    /// @p gradient must hold 2 to 16 stops with positions never decreasing.
    explicit StopMixer(const StopGradient &gradient);

    /// The colour at @p percent of the run: the first stop's at or before its
    /// position, the last stop's at or past its position, and between them the
    /// mix of the last stop at or before @p percent and the next one, in
    /// proportion to the distance, in the gradient's space. A stop's own
    /// position gives exactly its colour.
    /// Inline: it runs for every character.
    std::array<quint8, 3> colourAt(double percent) const
    {
        const Stop *stop = &m_stops.first();
        if (percent > stop->position) {
            stop = &m_stops.last();
            if (percent < stop->position) {
                qsizetype k = 0;
                while (m_stops[k + 1].position <= percent)
                    ++k;
                const double from = m_stops[k].position;
                const double u = (percent - from) / (m_stops[k + 1].position - from);
                if (u > 0.0)
                    return mix(m_segments[k], u);
                stop = &m_stops[k];
            }
        }
        return {stop->red, stop->green, stop->blue};
    }

private:
    // The two ends of the mix from stop k to stop k + 1, their hues made ready.
    struct Segment
    {
        Coordinates a, b;
    };

    std::array<quint8, 3> mix(const Segment &s, double u) const
    {
        Coordinates mixed;
        for (int c = 0; c < 3; ++c)
            mixed[c] = s.a[c] + (s.b[c] - s.a[c]) * u;
        if (m_space == ColourSpace::Oklab)
            return RgbFromOklab(*m_encoding, mixed[0], mixed[1], mixed[2]);
        if (m_space == ColourSpace::Rgb)
            return {ComponentFromValue(mixed[0]), ComponentFromValue(mixed[1]),
                    ComponentFromValue(mixed[2])};
        return ToRgb(m_space, mixed);
    }

    ColourSpace m_space;
    const LinearEncoding *m_encoding;
    QList<Stop> m_stops;
    QList<Segment> m_segments; // between stop k and stop k + 1
};

} // namespace huevane
