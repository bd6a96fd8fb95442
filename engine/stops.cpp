#include "stops.h"

#include <algorithm>

namespace huevane {

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

double RunPercent(quint8 type, qint64 j, qint64 n, qint64 turn)
{
    if (type == RiseAndFall) {
        const qint64 c = std::clamp<qint64>(turn, 0, n - 1);
        if (j <= c)
            return c == 0 ? 100.0 : 100.0 * static_cast<double>(j) / static_cast<double>(c);
        return 100.0 * static_cast<double>(n - 1 - j) / static_cast<double>(n - 1 - c);
    }
    if (n == 1)
        return type == EndToStart ? 100.0 : 0.0;
    const qint64 along = type == EndToStart ? n - 1 - j : j;
    return 100.0 * static_cast<double>(along) / static_cast<double>(n - 1);
}

} // namespace huevane
