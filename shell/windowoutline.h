#pragma once

#include <QPolygon>
#include <QRegion>

namespace huevane {

/// The main window's outline in pixels: each vertex of WindowOutlineTwips()
/// converted with the given twips per pixel (nearest whole number, ties to even).
QPolygon WindowOutlinePolygon(double twipsPerPixelX, double twipsPerPixelY);

/// The outline as a region filled odd-even, at the screen's twips per pixel, for
/// QWidget::setMask: outside it the window neither draws nor takes clicks.
QRegion BuildWindowOutline();

} // namespace huevane
