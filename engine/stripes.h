#pragma once

#include "floatsteps.h"
#include "gradient.h"
#include "stops.h"

#include <optional>

namespace huevane {

/// What a type preview shows: a gradient over one stripe per character of the
/// text, as one run (the per-line choice is not used).
struct StripeSettings
{
    /// Its type is the preview's kind; any but 1 to 3 draws nothing. Its two
    /// colours are as read from the value fields, not brought into 0..255.
    Gradient gradient;
    qint32 count = 0; ///< characters of the text, line breaks not counted
};

/// Steps through the colours of stripes 1 to count + 1 of a type preview. With
/// two colours in rgb, in 32-bit floats as the text's colours are: kinds 1 and 2
/// move by a fixed step, kind 3 rises to the turning point and falls after it,
/// each component kept in 0..255. Through stops, stripe i (up to count) has the
/// colour of character i of a one-line text of count characters.
class StripeStepper
{
public:
    /// @p settings must have a count above 0 and a kind of 1, 2 or 3.
    explicit StripeStepper(const StripeSettings &settings);

    /// The colour of the current stripe, 0x00BBGGRR, each component rounded half-even
    /// and limited to 0..255.
    quint32 colour() const
    {
        if (m_mixer)
            return stopColour();
        const float *c = m_steps.current();
        return PackColour(ColourTriplet {c[0], c[1], c[2]});
    }

    /// Moves on from stripe @p stripe (numbered from 1) to the next one. Inline: it
    /// runs for each of up to millions of stripes, inside the painting's loop.
    void advance(qint64 stripe)
    {
        if (m_mixer)
            m_index = stripe;
        else
            m_steps.advance(stripe - 1);
    }

    /// The same as advance(stripe), advance(stripe + 1), ... @p count times over.
    void advanceOver(qint64 stripe, qint64 count)
    {
        if (m_mixer)
            m_index = stripe - 1 + count;
        else
            m_steps.advanceOver(stripe - 1, count);
    }

private:
    quint32 stopColour() const;

    FloatSteps m_steps;
    std::optional<StopMixer> m_mixer; // set for a gradient through stops
    GradientType m_kind;
    qint64 m_count;
    qint64 m_centre;
    qint64 m_index = 0; // the current stripe, from 0, through stops
};

/// The centre a left drag to @p x twips sets on the third preview, @p widthTwips
/// wide, for @p count characters: x divided by the stripe width nearest(W / n),
/// to the nearest whole number. nullopt, leaving the centre as it is, when x lies
/// outside 0..W, when there are no characters, or when the stripe width comes out
/// as 0 (more than 2 W characters).
std::optional<qint32> CentreFromDrag(double x, double widthTwips, qint32 count);

} // namespace huevane
