#pragma once

#include "colour.h"
#include "stops.h"

#include <optional>

namespace huevane {

/// The gradient types. Values are those the window and huevane-html show (1 to 3).
enum class GradientType : quint8 {
    StartToEnd = 1,  ///< from the start colour to the end colour
    EndToStart = 2,  ///< from the end colour to the start colour
    RiseAndFall = 3, ///< from the start colour to the end colour at the turning point, and back
};

/// True for the three types; a type made from any other number colours nothing.
constexpr bool IsGradientType(GradientType type)
{
    return type >= GradientType::StartToEnd && type <= GradientType::RiseAndFall;
}

/// Everything that decides the colours of a text, apart from the text itself.
///
/// With no stops and the rgb space the colours run from start to end in the
/// window's 32-bit float arithmetic; otherwise they are taken from the stops
/// (StopsOf) mixed in the space.
struct Gradient
{
    ColourTriplet start; ///< as read, may be fractional or outside 0..255; 0, 0, 0 by default
    ColourTriplet end;   ///< 0, 0, 0 by default
    QList<Stop> stops;   ///< 2 to 16, positions never decreasing; empty: start and end
    ColourSpace space = ColourSpace::Rgb;
    HueRule hue = HueRule::Shorter; ///< for Oklch and Hsl
    GradientType type = GradientType::StartToEnd;
    qint32 centre = 0;    ///< the turning point of type 3, in characters of the whole text
    bool perLine = false; ///< the gradient restarts on every line

    friend bool operator==(const Gradient &, const Gradient &) = default;
};

/// The stops @p gradient is mixed from, or nullopt when its colours follow the
/// window's arithmetic (no stops, rgb). Without stops they are the start colour
/// at 0 and the end colour at 100, each component brought into 0..255 and
/// rounded half to even.
std::optional<StopGradient> StopsOf(const Gradient &gradient);

/// Half of @p length to the nearest whole number, ties to the even one: the
/// turning point in the middle of a text of @p length characters.
qint32 Middle(qint64 length);

} // namespace huevane
