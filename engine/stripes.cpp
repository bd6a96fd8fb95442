#include "stripes.h"

#include "stopstepper.h"

namespace huevane {

StripeStepper::StripeStepper(const StripeSettings &settings)
    : m_kind(settings.gradient.type)
    , m_count(settings.count)
    , m_centre(settings.gradient.centre)
{
    const Gradient &gradient = settings.gradient;
    if (const std::optional<StopGradient> stops = StopsOf(gradient)) {
        m_mixer.emplace(*stops);
        return;
    }
    // The colours are taken as read, not brought into 0..255 first.
    const float start[3] = {gradient.start.red, gradient.start.green, gradient.start.blue};
    const float end[3] = {gradient.end.red, gradient.end.green, gradient.end.blue};
    const bool reversed = m_kind == GradientType::EndToStart;
    const float *from = reversed ? end : start;
    const float *to = reversed ? start : end;
    const double n = settings.count;
    const qint32 centre = gradient.centre;
    if (m_kind == GradientType::RiseAndFall) {
        // Unlike the text's, the divisor after the centre is made a whole number
        // (saturating at the 32-bit range).
        const double down = RoundHalfEven(n - (static_cast<double>(centre) + 2.0));
        m_steps.beginTurning(n, from, to, centre, centre == 0 ? 1.0 : centre,
                             down == 0.0 ? 1.0 : down);
        m_steps.setCurrent(centre <= 0 ? to : from);
    } else {
        m_steps.begin(n, from, to);
        m_steps.setCurrent(from);
    }
}

quint32 StripeStepper::stopColour() const
{
    // The stripe past the last (count + 1, which starts at the right edge and
    // shows nothing) repeats the last one.
    const qint64 j = std::min(m_index, m_count - 1);
    const auto [red, green, blue] = m_mixer->colourAt(RunPercent(m_kind, j, m_count, m_centre));
    return PackColour(red, green, blue);
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
