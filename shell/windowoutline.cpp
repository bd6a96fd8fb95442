#include "windowoutline.h"

#include "platform/twips.h"

#include <array>

namespace huevane {

namespace {

// The vertices in twips, clockwise from the top-left corner: the title tab, the
// strip right of it, the stepped bottom-right corner and the rounded bottom-left one.
constexpr std::array<std::array<int, 2>, 44> outlineTwips {{
    {0, 0},       {2220, 0},    {2235, 15},   {2250, 15},   {2295, 60},   {5070, 60},
    {5100, 90},   {5100, 315},  {5115, 330},  {9375, 330},  {9390, 345},  {9405, 345},
    {9435, 375},  {9450, 420},  {9450, 6210}, {9435, 6225}, {9390, 6225}, {9390, 6435},
    {9375, 6450}, {9375, 6495}, {9360, 6510}, {9360, 6540}, {9345, 6555}, {9345, 6570},
    {9270, 6645}, {9225, 6660}, {9150, 6675}, {9105, 6690}, {9000, 6705}, {5385, 6705},
    {5385, 6735}, {5370, 6750}, {345, 6750},  {330, 6735},  {225, 6735},  {210, 6720},
    {165, 6720},  {150, 6705},  {135, 6705},  {75, 6645},   {75, 6630},   {45, 6600},
    {15, 6525},   {0, 6300},
}};

} // namespace

QPolygon WindowOutlinePolygon(double twipsPerPixelX, double twipsPerPixelY)
{
    QPolygon polygon;
    polygon.reserve(int(outlineTwips.size()));
    for (const auto &[x, y] : outlineTwips)
        polygon.append(QPoint(TwipsToPixels(x, twipsPerPixelX), TwipsToPixels(y, twipsPerPixelY)));
    return polygon;
}

QRegion BuildWindowOutline()
{
    return QRegion(WindowOutlinePolygon(TwipsPerPixelX(), TwipsPerPixelY()), Qt::OddEvenFill);
}

} // namespace huevane
