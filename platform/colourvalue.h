#pragma once

#include "engine/colour.h"

#include <QColor>
#include <QPalette>

namespace huevane {

/// The role of FixedPalette() that system colour @p value resolves through:
///
/// | Value      | System colour         | Palette role (active group) |
/// |------------|-----------------------|-----------------------------|
/// | 0x80000005 | window background     | QPalette::Base              |
/// | 0x80000008 | window text           | QPalette::Text              |
/// | 0x8000000C | application workspace | QPalette::Mid               |
/// | 0x8000000F | button face           | QPalette::Button            |
/// | 0x80000010 | button shadow         | QPalette::Dark              |
/// | 0x80000012 | button text           | QPalette::ButtonText        |
/// | 0x80000014 | button highlight      | QPalette::Light             |
///
/// Any other system colour number resolves to QPalette::Window.
QPalette::ColorRole SystemColourRole(ColourValue value);

/// The opaque colour that @p value shows: 0x00BBGGRR directly (the top byte
/// ignored), system colours through FixedPalette()'s active group, never through
/// the desktop's palette.
QColor ResolveColour(ColourValue value);

/// @p colour as 0x00BBGGRR; its alpha is dropped.
ColourValue ToColourValue(const QColor &colour);

} // namespace huevane
