#include "placement.h"

#include <algorithm>

namespace huevane {

QPoint OpeningPosition(QSize size, const QRect &workArea)
{
    const auto start = [](int length, int areaStart, int areaLength) {
        return areaStart + std::max(0, (areaLength - length) / 2);
    };
    return QPoint(start(size.width(), workArea.left(), workArea.width()),
                  start(size.height(), workArea.top(), workArea.height()));
}

} // namespace huevane
