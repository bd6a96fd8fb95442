#pragma once

#include "colour.h"
#include "floatsteps.h"
#include "gradientsettings.h"

#include <optional>

namespace huevane {

/// What a type preview shows: the gradient of one kind over one stripe per
/// character, from the colours of the value fields.
struct StripeSettings
{
    quint8 kind = StartToEnd; ///< 1, 2 or 3 (GradientType); any other draws nothing
    ColourTriplet start;      ///< as read from the value fields, not brought into 0..255
    ColourTriplet end;
    qint32 count = 0;  ///< characters of the text, line breaks not counted
    qint32 centre = 0; ///< turning point of kind 3, in stripes from the left edge
};

/// Steps through the colours of stripes 1 to count + 1 of a type preview, in
/// 32-bit floats as the text's colours are: kinds 1 and 2 move by a fixed step,
/// kind 3 rises to the centre and falls after it, each component kept in 0..255.
class StripeStepper
{
public:
    /// @p settings must have a count above 0 and a kind of 1, 2 or 3.
    explicit StripeStepper(const StripeSettings &settings);

    /// The colour of the current stripe, 0x00BBGGRR, each component rounded half-even
    /// and limited to 0..255.
    quint32 colour() const
    {
        const float *c = m_steps.current();
        return PackColour(ColourTriplet {c[0], c[1], c[2]});
    }

    /// Moves on from stripe @p stripe (numbered from 1) to the next one. Inline: it
    /// runs for each of up to millions of stripes, inside the painting's loop.
    void advance(qint64 stripe) { m_steps.advance(stripe - 1); }

    /// The same as advance(stripe), advance(stripe + 1), ... @p count times over.
    void advanceOver(qint64 stripe, qint64 count) { m_steps.advanceOver(stripe - 1, count); }

private:
    FloatSteps m_steps;
};

/// The centre a left drag to @p x twips sets on the third preview, @p widthTwips
/// wide, for @p count characters: x divided by the stripe width nearest(W / n),
/// to the nearest whole number. nullopt, leaving the centre as it is, when x lies
/// outside 0..W, when there are no characters, or when the stripe width comes out
/// as 0 (more than 2 W characters).
std::optional<qint32> CentreFromDrag(double x, double widthTwips, qint32 count);

} // namespace huevane
