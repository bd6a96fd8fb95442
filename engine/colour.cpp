#include "colour.h"

#include "rounding.h"

#include <algorithm>

namespace huevane {

quint32 PackColour(int red, int green, int blue)
{
    const auto byte = [](int v) { return static_cast<quint32>(std::clamp(v, 0, 255)); };
    return byte(red) | byte(green) << 8 | byte(blue) << 16;
}

quint32 PackColour(const ColourTriplet &colour)
{
    const ColourTriplet c = ClampedColour(colour);
    return PackColour(RoundComponent(c.red), RoundComponent(c.green), RoundComponent(c.blue));
}

ColourTriplet ClampedColour(const ColourTriplet &colour)
{
    return {ClampComponent(colour.red), ClampComponent(colour.green), ClampComponent(colour.blue)};
}

} // namespace huevane
