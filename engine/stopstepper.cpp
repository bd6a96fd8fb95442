#include "stopstepper.h"

#include "rounding.h"

namespace huevane {

StopStepper::StopStepper(const GradientSettings &settings, const StopGradient &gradient)
    : LineColourer(settings)
    , m_mixer(gradient)
{ }

void StopStepper::beginLine(qsizetype, qsizetype characters)
{
    if (m_settings.perLine) {
        m_count = characters;
        m_turn = RoundHalfEven(static_cast<double>(characters) / m_settings.totalChars
                               * m_settings.centre);
        m_placed = 0;
    } else {
        m_count = m_settings.totalChars;
        m_turn = m_settings.centre;
    }
}

void StopStepper::colour(CharColour *entry, CharColour *const end)
{
    for (; entry != end; ++entry) {
        const auto [red, green, blue] =
            m_mixer.colourAt(RunPercent(m_settings.gradientType, m_placed++, m_count, m_turn));
        entry->red = red;
        entry->green = green;
        entry->blue = blue;
    }
}

} // namespace huevane
