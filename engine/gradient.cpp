#include "gradient.h"

#include "rounding.h"

namespace huevane {

std::optional<StopGradient> StopsOf(const Gradient &gradient)
{
    if (gradient.stops.isEmpty() && gradient.space == ColourSpace::Rgb)
        return std::nullopt;
    StopGradient stops {gradient.stops, gradient.space, gradient.hue};
    if (stops.stops.isEmpty()) {
        for (const auto &[colour, position] :
             {std::pair(gradient.start, 0.0), {gradient.end, 100.0}})
            stops.stops.append({ComponentFromValue(colour.red), ComponentFromValue(colour.green),
                                ComponentFromValue(colour.blue), position});
    }
    return stops;
}

qint32 Middle(qint64 length)
{
    return RoundHalfEven(static_cast<double>(length) / 2.0);
}

} // namespace huevane
