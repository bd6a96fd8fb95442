#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace huevane {

/// Where a window of @p size opens in @p workArea (the screen less its panels),
/// both in the same pixels: centred, so that it lies wholly inside where it fits.
/// Along an axis where it does not fit, it starts at the work area's top or left
/// edge, so that its title strip and close mark stay on the screen and only its
/// bottom or right edge runs off.
QPoint OpeningPosition(QSize size, const QRect &workArea);

} // namespace huevane
