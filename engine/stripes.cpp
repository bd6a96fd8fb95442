#include "stripes.h"

#include <limits>

namespace huevane {

StripeStepper::StripeStepper(const StripeSettings &settings)
    : m_centre(settings.centre)
{
    const double n = settings.count;
    const double divisor = n - 1.0 > 0.0 ? n - 1.0 : n;
    const bool reversed = settings.kind == EndToStart;
    const bool turns = settings.kind == RiseAndFall;
    float rise = 1.0f;
    float fall = 1.0f;
    if (turns) {
        const double up = settings.centre == 0 ? 1.0 : settings.centre;
        double down = RoundHalfEven(n - (static_cast<double>(settings.centre) + 2.0));
        if (down == 0.0)
            down = 1.0;
        rise = StoredFloat(n / up);
        fall = StoredFloat(n / down);
    }
    for (int c = 0; c < 3; ++c) {
        const float start = Component(settings.start, c);
        const float end = Component(settings.end, c);
        const double delta =
            reversed ? AsDouble(start) - AsDouble(end) : AsDouble(end) - AsDouble(start);
        const float step = StoredFloat(delta / divisor);
        const bool fromEnd = reversed || (turns && settings.centre <= 0);
        m_current[c] = fromEnd ? end : start;
        // The products are the same in every step, so they are taken once; adding
        // the negated product is the same as subtracting it.
        m_rising[c] = turns ? AsDouble(step) * AsDouble(rise) : AsDouble(step);
        m_falling[c] = turns ? -(AsDouble(step) * AsDouble(fall)) : AsDouble(step);
    }
    if (!turns)
        m_centre = std::numeric_limits<qint32>::max(); // always "rising": one fixed step
}

std::optional<qint32> CentreFromDrag(double x, double widthTwips, qint32 count)
{
    if (x < 0.0 || x > widthTwips || count <= 0)
        return std::nullopt;
    const qint32 stripeWidth = RoundHalfEven(widthTwips / count);
    if (stripeWidth == 0)
        return std::nullopt;
    return RoundHalfEven(x / stripeWidth);
}

} // namespace huevane
