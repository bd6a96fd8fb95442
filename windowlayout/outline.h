#pragma once

#include <QPoint>

#include <array>

namespace huevane {

/// The window's outline in twips from its top-left corner: a closed polygon of 44
/// vertices following the skin's drawn edge, clockwise from the top-left corner.
/// Filled odd-even, at 15 twips per pixel it covers 630 x 450 pixels.
const std::array<QPoint, 44> &WindowOutlineTwips();

} // namespace huevane
