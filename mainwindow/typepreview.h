#pragma once

#include "engine/colour.h"
#include "engine/gradientsettings.h"

#include <QList>

#include <optional>

namespace huevane {

class DrawingSurface;

/// What a type preview shows: the gradient of one kind over one stripe per
/// character, from the colours of the value fields.
struct StripeSettings
{
    quint8 kind = StartToEnd; ///< 1, 2 or 3 (GradientType); any other draws nothing
    ColourTriplet start;      ///< as read from the value fields, not brought into 0..255
    ColourTriplet end;
    qint32 count = 0;  ///< n: characters of the text, line breaks not counted
    qint32 centre = 0; ///< c: turning point of kind 3, in stripes from the left edge
};

/// Steps through the colours of stripes 1 to n + 1 of a type preview, in
/// 32-bit floats as the text's colours are: kinds 1 and 2 move by a fixed step,
/// kind 3 rises to the centre and falls after it, each component kept in 0..255.
class StripeStepper
{
public:
    /// @p settings must have a count above 0 and a kind of 1, 2 or 3.
    explicit StripeStepper(const StripeSettings &settings);

    /// The colour of the current stripe, 0x00BBGGRR, each component rounded half-even
    /// and limited to 0..255.
    quint32 colour() const;

    /// Moves on from stripe @p stripe (numbered from 1) to the next one.
    void advance(qint64 stripe);

private:
    float m_current[3];
    double m_rising[3];  // added in every step up to the centre
    double m_falling[3]; // added in every step after it
    qint32 m_centre = 0;
};

/// The colour each pixel column of a preview shows. Stripe i (from 1) starts at
/// x = W / n x (i - 1) twips, converted to a pixel column like every drawing of a
/// surface, and reaches to the right edge, so a column shows the last stripe that
/// starts at or before it; stripes narrower than a pixel leave only the last of
/// them visible. Empty when the preview draws nothing (no characters, or a kind
/// other than 1 to 3).
QList<quint32> StripeColumns(const StripeSettings &settings, double widthTwips,
                             double twipsPerPixel, int columns);

/// Paints the stripes of @p settings over the whole of @p preview, after clearing
/// it. With no characters, or a kind other than 1 to 3, it leaves the preview
/// as it is.
void PaintTypePreview(DrawingSurface &preview, const StripeSettings &settings);

/// The centre a left drag to @p x twips sets on the third preview, @p widthTwips
/// wide, for @p count characters: x divided by the stripe width nearest(W / n),
/// to the nearest whole number. nullopt, leaving the centre as it is, when x lies
/// outside 0..W, when there are no characters, or when the stripe width comes out
/// as 0 (more than 2 W characters).
std::optional<qint32> CentreFromDrag(double x, double widthTwips, qint32 count);

/// The length of the whole text of @p settings in characters with each line
/// break counted as its two characters, CR and LF.
qint64 WholeTextLength(const GradientSettings &settings);

/// Half of @p length to the nearest whole number, ties to the even one.
qint32 Middle(qint64 length);

} // namespace huevane
