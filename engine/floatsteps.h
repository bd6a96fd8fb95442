#pragma once

#include "colour.h"
#include "rounding.h"

#include <algorithm>
#include <bit>
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
        m_fixed = true;
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
        m_fixed = false;
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

    /// The same as advance(coloured), advance(coloured + 1), ... @p count times over,
    /// for the long runs of the previews. Once a move leaves the colour as it was
    /// (every component held at 0 or 255, or a step of 0) the moves left up to the
    /// turning point cannot change it either, so they are skipped.
    void advanceOver(qint64 coloured, qint64 count)
    {
        while (count > 0) {
            const bool rising = coloured < m_turn;
            const qint64 run = rising ? std::min<qint64>(count, m_turn - coloured) : count;
            if (m_fixed)
                moveOver<float>(m_step, run);
            else
                moveOver<double>(rising ? m_rise : m_fall, run);
            coloured += run;
            count -= run;
        }
    }

private:
    /// @p times moves by @p change. A float change is the fixed step, added in float
    /// as advanceByStep() does; a double one is added as advance() does.
    template <typename Change>
    void moveOver(const Change change[3], qint64 times)
    {
        float r = m_current[0], g = m_current[1], b = m_current[2];
        const Change dr = change[0], dg = change[1], db = change[2];
        const auto move = [](float value, Change by) {
            return ClampComponent(static_cast<float>(static_cast<Change>(value) + by));
        };
        // Blocks of moves without a test, then one move that tells whether the
        // colour has stopped changing.
        constexpr qint64 Block = 256;
        while (times > 0) {
            const qint64 block = std::min(times - 1, Block);
            // Inside 0..255 the limits change nothing, and a component only ever moves
            // one way, by the sign of its change; so when a block of moves without them
            // starts and ends inside 0..255, every move stayed inside and the colour is
            // the one the limited moves give. Otherwise the block is done again with them.
            float ur = r, ug = g, ub = b;
            for (qint64 k = 0; k < block; ++k) {
                ur = static_cast<float>(static_cast<Change>(ur) + dr);
                ug = static_cast<float>(static_cast<Change>(ug) + dg);
                ub = static_cast<float>(static_cast<Change>(ub) + db);
            }
            const auto inside = [](float from, float to) {
                return from >= 0.0f && from <= 255.0f && to >= 0.0f && to <= 255.0f;
            };
            if (inside(r, ur) && inside(g, ug) && inside(b, ub)) {
                r = ur;
                g = ug;
                b = ub;
            } else {
                for (qint64 k = 0; k < block; ++k) {
                    r = move(r, dr);
                    g = move(g, dg);
                    b = move(b, db);
                }
            }
            times -= block + 1;
            const float nr = move(r, dr), ng = move(g, dg), nb = move(b, db);
            const bool still = std::bit_cast<quint32>(nr) == std::bit_cast<quint32>(r)
                && std::bit_cast<quint32>(ng) == std::bit_cast<quint32>(g)
                && std::bit_cast<quint32>(nb) == std::bit_cast<quint32>(b);
            r = nr;
            g = ng;
            b = nb;
            if (still)
                break;
        }
        m_current[0] = r;
        m_current[1] = g;
        m_current[2] = b;
    }

    float m_current[3] = {};
    float m_step[3] = {};
    double m_rise[3] = {}; // added before the turning point, or always
    double m_fall[3] = {}; // added from the turning point on
    qint32 m_turn = 0;
    bool m_fixed = true; // the step of begin() throughout
};

} // namespace huevane
