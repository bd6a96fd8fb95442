#include "stripes.h"

namespace huevane {

StripeStepper::StripeStepper(const StripeSettings &settings)
{
    // The colours are taken as read, not brought into 0..255 first.
    const float start[3] = {settings.start.red, settings.start.green, settings.start.blue};
    const float end[3] = {settings.end.red, settings.end.green, settings.end.blue};
    const bool reversed = settings.kind == EndToStart;
    const float *from = reversed ? end : start;
    const float *to = reversed ? start : end;
    const double n = settings.count;
    if (settings.kind == RiseAndFall) {
        // Unlike the text's, the divisor after the centre is made a whole number
        // (saturating at the 32-bit range).
        const double down = RoundHalfEven(n - (static_cast<double>(settings.centre) + 2.0));
        m_steps.beginTurning(n, from, to, settings.centre,
                             settings.centre == 0 ? 1.0 : settings.centre,
                             down == 0.0 ? 1.0 : down);
        m_steps.setCurrent(settings.centre <= 0 ? to : from);
    } else {
        m_steps.begin(n, from, to);
        m_steps.setCurrent(from);
    }
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
