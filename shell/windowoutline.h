#pragma once

#include <QPolygon>
#include <QRegion>

namespace huevane {

/// The main window's outline in pixels: a closed polygon of 44 vertices following
/// the skin's drawn edge, each vertex converted from twips with the given twips
/// per pixel (nearest whole number, ties to even). At 15 twips per pixel its
/// region covers 630 x 450 pixels from the window's top-left corner.
QPolygon WindowOutlinePolygon(double twipsPerPixelX, double twipsPerPixelY);

/// The outline as a region filled odd-even, at the screen's twips per pixel, for
/// QWidget::setMask: outside it the window neither draws nor takes clicks.
QRegion BuildWindowOutline();

} // namespace huevane
