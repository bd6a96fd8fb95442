#include "charcolours.h"

#include "characters.h"
#include "memoryadvice.h"
#include "rounding.h"

namespace huevane {

ColourStepper::ColourStepper(const GradientSettings &settings)
    : m_settings(settings)
{
    const bool reversed = settings.gradientType == EndToStart;
    const ColourTriplet &from = reversed ? settings.endColour : settings.startColour;
    const ColourTriplet &to = reversed ? settings.startColour : settings.endColour;
    for (int c = 0; c < 3; ++c) {
        m_from[c] = ClampComponent(Component(from, c));
        m_to[c] = ClampComponent(Component(to, c));
        m_current[c] = m_from[c];
    }
}

void ColourStepper::colourLine(qsizetype index, QList<CharColour> &out)
{
    const TextSpan line = m_settings.lines.at(index);
    if (line.length == 0)
        return; // adds no entry; in whole-text mode the gradient goes on where it stopped

    const qsizetype first = out.size();
    ForEachCharacter(line.in(m_settings.text), [&](TextSpan c) {
        out.append(CharColour {line.start + c.start, static_cast<quint32>(c.length), 0, 0, 0});
    });
    const qsizetype count = out.size() - first;
    beginLine(index, count);
    colour(out.data() + first, out.data() + out.size());
}

void ColourStepper::beginLine(qsizetype index, qsizetype characters)
{
    const bool perLine = m_settings.perLine;
    float n;
    if (perLine) {
        n = static_cast<float>(characters);
        m_turn = RoundHalfEven(static_cast<double>(characters) / m_settings.totalChars
                               * m_settings.centre);
    } else {
        n = static_cast<float>(m_settings.totalChars);
        m_turn = m_settings.centre;
    }

    const bool useNMinusOne = static_cast<float>(AsDouble(n) - 1.0) > 0.0f;
    const double divisor = useNMinusOne ? AsDouble(n) - 1.0 : AsDouble(n);
    for (int c = 0; c < 3; ++c)
        m_step[c] = StoredFloat((AsDouble(m_to[c]) - AsDouble(m_from[c])) / divisor);

    if (perLine) {
        for (int c = 0; c < 3; ++c)
            m_current[c] = m_from[c];
        m_coloured = 0;
    }
    if (m_settings.gradientType != RiseAndFall)
        return;

    const float up = StoredFloat(AsDouble(n) / (m_turn == 0 ? 1.0 : static_cast<double>(m_turn)));
    const double d = AsDouble(n) - (static_cast<double>(m_turn) + 2.0);
    const float down = StoredFloat(AsDouble(n) / (d == 0.0 ? 1.0 : d));
    if (m_turn < 1 && (perLine || index == 0)) {
        for (int c = 0; c < 3; ++c)
            m_current[c] = m_to[c];
    }
    // The products of two floats are exact in double, so they are formed once.
    for (int c = 0; c < 3; ++c) {
        m_rise[c] = AsDouble(up) * AsDouble(m_step[c]);
        m_fall[c] = AsDouble(m_step[c]) * AsDouble(down);
    }
}

void ColourStepper::colour(CharColour *entry, CharColour *const end)
{
    const auto take = [](CharColour &e, const float *current) {
        e.red = RoundComponent(current[0]);
        e.green = RoundComponent(current[1]);
        e.blue = RoundComponent(current[2]);
    };

    if (m_settings.gradientType != RiseAndFall) {
        // The exact sum of two floats rounded once to float is the same whether
        // it is formed in double or in float (double has more than twice float's
        // precision), so this loop adds in float.
        for (; entry != end; ++entry) {
            take(*entry, m_current);
            for (int c = 0; c < 3; ++c)
                m_current[c] = ClampComponent(m_current[c] + m_step[c]);
        }
        return;
    }

    for (; entry != end; ++entry) {
        take(*entry, m_current);
        const double *change = m_coloured < m_turn ? m_rise : m_fall;
        const double sign = m_coloured < m_turn ? 1.0 : -1.0;
        for (int c = 0; c < 3; ++c)
            m_current[c] =
                ClampComponent(static_cast<float>(AsDouble(m_current[c]) + sign * change[c]));
        ++m_coloured;
    }
}

bool ComputeCharColours(GradientSettings &settings)
{
    settings.charColours.clear();
    if (settings.gradientType < StartToEnd || settings.gradientType > RiseAndFall)
        return false;

    settings.charColours.reserve(settings.totalChars);
    AdviseLargeBuffer(settings.charColours.data(),
                      settings.charColours.capacity() * qsizetype(sizeof(CharColour)));
    ColourStepper stepper(settings);
    for (qsizetype i = 0; i < settings.lines.size(); ++i)
        stepper.colourLine(i, settings.charColours);
    return true;
}

} // namespace huevane
