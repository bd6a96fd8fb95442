#include "windowoutline.h"

#include "platform/twips.h"
#include "windowlayout/outline.h"

namespace huevane {

QPolygon WindowOutlinePolygon(double twipsPerPixelX, double twipsPerPixelY)
{
    QPolygon polygon;
    polygon.reserve(int(WindowOutlineTwips().size()));
    for (const QPoint &vertex : WindowOutlineTwips()) {
        polygon.append(QPoint(TwipsToPixels(vertex.x(), twipsPerPixelX),
                              TwipsToPixels(vertex.y(), twipsPerPixelY)));
    }
    return polygon;
}

QRegion BuildWindowOutline()
{
    return QRegion(WindowOutlinePolygon(TwipsPerPixelX(), TwipsPerPixelY()), Qt::OddEvenFill);
}

} // namespace huevane
