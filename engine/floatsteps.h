#pragma once

#include "colour.h"
#include "rounding.h"

#include <limits>

namespace huevane {

/// The window's colour arithmetic over one run, shared by the text's colours and
/// the type previews' stripes: a current colour of three 32-bit floats that moves
/// by a fixed step per character, or for the rise and fall by the step times one
/// factor up to the turning point and times another after it, each component
/// kept in 0..255 after every move.
///
/// Every expression is evaluated in double from the stored floats and rounded to
/// float once, when stored.
class FloatSteps
{
public:
    /// A run of @p n characters from @p from to @p to with a fixed step:
    /// (to - from) / (n - 1), or / n when n - 1 is not above 0.
    void begin(double n, const float from[3], const float to[3])
    {
        const double divisor = n - 1.0 > 0.0 ? n - 1.0 : n;
        for (int c = 0; c < 3; ++c) {
            const float step = StoredFloat((AsDouble(to[c]) - AsDouble(from[c])) / divisor);
            m_step[c] = step;
            m_rise[c] = AsDouble(step);
            m_fall[c] = AsDouble(step);
        }
        m_turn = std::numeric_limits<qint32>::max();
    }

    /// The same step, times n / @p upDivisor (as a float) for the characters
    /// before @p turn and times -n / @p downDivisor after it.
    void beginTurning(double n, const float from[3], const float to[3], qint32 turn,
                      double upDivisor, double downDivisor)
    {
        begin(n, from, to);
        const float up = StoredFloat(n / upDivisor);
        const float down = StoredFloat(n / downDivisor);
        // The products of two floats are exact in double, so they are formed once;
        // adding the negated product is the same as subtracting it.
        for (int c = 0; c < 3; ++c) {
            const double step = m_rise[c];
            m_rise[c] = AsDouble(up) * step;
            m_fall[c] = -(step * AsDouble(down));
        }
        m_turn = turn;
    }

    void setCurrent(const float colour[3])
    {
        for (int c = 0; c < 3; ++c)
            m_current[c] = colour[c];
    }

    /// The current colour, as stored.
    const float *current() const { return m_current; }

    /// Moves on by the fixed step of begin(). The exact sum of two floats rounded
    /// once to float is the same whether it is formed in double or in float
    /// (double has more than twice float's precision), so this adds in float.
    void advanceByStep()
    {
        for (int c = 0; c < 3; ++c)
            m_current[c] = ClampComponent(m_current[c] + m_step[c]);
    }

    /// Moves on from the character that follows @p coloured others of the run.
    /// Inline: it runs once for every character.
    void advance(qint64 coloured)
    {
        const double *change = coloured < m_turn ? m_rise : m_fall;
        for (int c = 0; c < 3; ++c)
            m_current[c] = ClampComponent(static_cast<float>(AsDouble(m_current[c]) + change[c]));
    }

private:
    float m_current[3] = {};
    float m_step[3] = {};
    double m_rise[3] = {}; // added before the turning point, or always
    double m_fall[3] = {}; // added from the turning point on
    qint32 m_turn = 0;
};

} // namespace huevane
