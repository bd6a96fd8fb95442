#include "charcolours.h"

#include "memoryadvice.h"
#include "rounding.h"

namespace huevane {

ColourStepper::ColourStepper(const GradientSettings &settings)
    : LineColourer(settings)
{
    const bool reversed = settings.gradientType == EndToStart;
    const ColourTriplet &from = reversed ? settings.endColour : settings.startColour;
    const ColourTriplet &to = reversed ? settings.startColour : settings.endColour;
    for (int c = 0; c < 3; ++c) {
        m_from[c] = ClampComponent(Component(from, c));
        m_to[c] = ClampComponent(Component(to, c));
    }
    m_steps.setCurrent(m_from);
}

void ColourStepper::beginLine(qsizetype index, qsizetype characters)
{
    const bool perLine = m_settings.perLine;
    float n;
    qint32 turn;
    if (perLine) {
        n = static_cast<float>(characters);
        turn = RoundHalfEven(static_cast<double>(characters) / m_settings.totalChars
                             * m_settings.centre);
        m_steps.setCurrent(m_from);
        m_coloured = 0;
    } else {
        n = static_cast<float>(m_settings.totalChars);
        turn = m_settings.centre;
    }
    if (m_settings.gradientType != RiseAndFall) {
        m_steps.begin(AsDouble(n), m_from, m_to);
        return;
    }

    const double d = AsDouble(n) - (static_cast<double>(turn) + 2.0);
    m_steps.beginTurning(AsDouble(n), m_from, m_to, turn, turn == 0 ? 1.0 : turn,
                         d == 0.0 ? 1.0 : d);
    if (turn < 1 && (perLine || index == 0))
        m_steps.setCurrent(m_to);
}

void ColourStepper::colour(CharColour *entry, CharColour *const end)
{
    const auto take = [this](CharColour &e) {
        const float *current = m_steps.current();
        e.red = RoundComponent(current[0]);
        e.green = RoundComponent(current[1]);
        e.blue = RoundComponent(current[2]);
    };
    if (m_settings.gradientType != RiseAndFall) {
        for (; entry != end; ++entry) {
            take(*entry);
            m_steps.advanceByStep();
        }
        return;
    }
    for (; entry != end; ++entry) {
        take(*entry);
        m_steps.advance(m_coloured++);
    }
}

QList<CharColour> ColourAllLines(const GradientSettings &settings, LineColourer &colourer)
{
    QList<CharColour> colours;
    colours.reserve(settings.totalChars);
    AdviseLargeBuffer(colours.data(), colours.capacity() * qsizetype(sizeof(CharColour)));
    for (qsizetype i = 0; i < settings.lines.size(); ++i)
        colourer.colourLine(i, colours);
    return colours;
}

std::optional<QList<CharColour>> ComputeCharColours(const GradientSettings &settings)
{
    if (settings.gradientType < StartToEnd || settings.gradientType > RiseAndFall)
        return std::nullopt;
    ColourStepper stepper(settings);
    return ColourAllLines(settings, stepper);
}

} // namespace huevane
