#pragma once

#include "engine/stripes.h"

#include <QList>

namespace huevane {

class DrawingSurface;

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

} // namespace huevane
