#pragma once

#include "linecolourer.h"
#include "stops.h"

#include <algorithm>

namespace huevane {

/// The colours of a gradient through stops: every character gets its place on
/// its run (a line with perLine, otherwise the whole text, line breaks not
/// counted) by the gradient's type and turning point, and the stops' colour there.
class StopStepper : public LineColourer
{
public:
    /// Colours @p text, which must outlive the stepper, for the type, turning
    /// point and per-line choice of @p gradient, on @p stops.
    StopStepper(const PreparedText &text, const Gradient &gradient, const StopGradient &stops);

protected:
    void beginLine(qsizetype index, qsizetype characters) override;
    void colour(CharColour *first, CharColour *last) override;

private:
    StopMixer m_mixer;
    qint64 m_count = 0;  // characters of the run
    qint64 m_turn = 0;   // turning point of type 3
    qint64 m_placed = 0; // characters of the run coloured so far
};

/// Where character @p j (from 0) of a run of @p n characters stands on a
/// gradient of @p type, in percent: type 1 from 0 to 100, type 2 from 100 to 0,
/// type 3 from 0 up to 100 at character @p turn (brought into 0..n - 1) and back
/// to 0 at the end. A run of one character stands at 0 for type 1 and at 100
/// for types 2 and 3. Inline: it runs for every character.
inline double RunPercent(GradientType type, qint64 j, qint64 n, qint64 turn)
{
    if (type == GradientType::RiseAndFall) {
        const qint64 c = std::clamp<qint64>(turn, 0, n - 1);
        if (j <= c)
            return c == 0 ? 100.0 : 100.0 * static_cast<double>(j) / static_cast<double>(c);
        return 100.0 * static_cast<double>(n - 1 - j) / static_cast<double>(n - 1 - c);
    }
    if (n == 1)
        return type == GradientType::EndToStart ? 100.0 : 0.0;
    const qint64 along = type == GradientType::EndToStart ? n - 1 - j : j;
    return 100.0 * static_cast<double>(along) / static_cast<double>(n - 1);
}

} // namespace huevane
