#include "stopstepper.h"

#include "rounding.h"

namespace huevane {

StopStepper::StopStepper(const PreparedText &text, const Gradient &gradient,
                         const StopGradient &stops)
    : LineColourer(text, gradient)
    , m_mixer(stops)
{ }

void StopStepper::beginLine(qsizetype, qsizetype characters)
{
    if (m_gradient.perLine) {
        m_count = characters;
        m_turn = RoundHalfEven(static_cast<double>(characters) / m_text.totalChars()
                               * m_gradient.centre);
        m_placed = 0;
    } else {
        m_count = m_text.totalChars();
        m_turn = m_gradient.centre;
    }
}

void StopStepper::colour(CharColour *entry, CharColour *const end)
{
    for (; entry != end; ++entry) {
        const auto [red, green, blue] =
            m_mixer.colourAt(RunPercent(m_gradient.type, m_placed++, m_count, m_turn));
        entry->red = red;
        entry->green = green;
        entry->blue = blue;
    }
}

} // namespace huevane
