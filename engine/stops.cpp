#include "stops.h"

#include <algorithm>

namespace huevane {

QLatin1StringView HueRuleName(HueRule rule)
{
    return rule == HueRule::Longer ? QLatin1StringView("longer") : QLatin1StringView("shorter");
}

StopMixer::StopMixer(const StopGradient &gradient)
    : m_space(gradient.space)
    , m_encoding(&LinearEncoding::instance())
    , m_stops(gradient.stops)
{
    const int hue = HueIndex(m_space);
    for (qsizetype k = 0; k + 1 < m_stops.size(); ++k) {
        const Stop &s = m_stops[k];
        const Stop &t = m_stops[k + 1];
        Segment segment {FromRgb(m_space, s.red, s.green, s.blue),
                         FromRgb(m_space, t.red, t.green, t.blue)};
        if (hue >= 0) {
            double &h1 = segment.a[hue];
            double &h2 = segment.b[hue];
            const bool none1 = HasNoHue(m_space, segment.a);
            const bool none2 = HasNoHue(m_space, segment.b);
            if (none1 && none2)
                h1 = h2 = 0.0;
            else if (none1)
                h1 = h2;
            else if (none2)
                h2 = h1;
            const double apart = std::abs(h2 - h1);
            double &lower = h1 < h2 ? h1 : h2;
            if (gradient.hue == HueRule::Shorter ? apart > 180.0 : apart > 0.0 && apart < 180.0)
                lower += 360.0;
            else if (gradient.hue == HueRule::Longer && apart == 0.0)
                h2 += 360.0;
        }
        m_segments.append(segment);
    }
}

} // namespace huevane
