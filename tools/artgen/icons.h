#pragma once

#include <QImage>

namespace huevane::artgen {

/// The window and application icon at @p size x @p size pixels: the letter H in a
/// horizontal gradient from red to yellow on a dark blue tile. Drawn natively at
/// each size, with the letter's strokes on whole pixels.
QImage WindowIcon(int size);

/// The notification-area icon at @p size x @p size pixels (default 16): the letter
/// H in a gradient from dark blue to cyan on a transparent background.
QImage TrayIcon(int size = 16);

} // namespace huevane::artgen
