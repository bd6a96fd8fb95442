#pragma once

#include <QRect>

namespace huevane {

/// Twips per pixel across: 1440 divided by the primary screen's logical dots per
/// inch (15 at 96 DPI). Never 0: without a screen it is 15.
double TwipsPerPixelX();

/// Twips per pixel down, as TwipsPerPixelX.
double TwipsPerPixelY();

/// @p twips in whole pixels, the nearest whole number with ties to the even one.
/// A @p twipsPerPixel that is not positive counts as 15.
int TwipsToPixels(double twips, double twipsPerPixel);

/// @p pixels in twips. A @p twipsPerPixel that is not positive counts as 15.
double PixelsToTwips(double pixels, double twipsPerPixel);

/// A rectangle given in twips, in pixels of the primary screen; each of the four
/// values is converted on its own.
QRect TwipsRect(int left, int top, int width, int height);

} // namespace huevane
