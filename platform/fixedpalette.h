#pragma once

#include <QPalette>

namespace huevane {

/// The palette the main window and its controls are drawn with, whatever palette,
/// style or colour scheme the desktop sets: Qt's own light palette (window and
/// buttons #EFEFEF, text boxes white, text black, selection #308CC6 with white
/// text, tooltips black on #FFFFDC), the same in the active and inactive groups
/// and greyed in the disabled one. Every role is set explicitly, so a palette set
/// on the application never shows through a widget that inherits this one.
QPalette FixedPalette();

} // namespace huevane
