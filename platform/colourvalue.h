#pragma once

#include <QColor>
#include <QPalette>
#include <QtGlobal>

namespace huevane {

/// A colour as the drawing surfaces take it: 0x00BBGGRR with red in the lowest
/// byte, or, with the top bit set, 0x800000nn naming system colour nn.
using ColourValue = quint32;

/// The system colours, resolved through a widget's palette by ResolveColour:
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
namespace SystemColour {
constexpr ColourValue WindowBackground = 0x80000005;
constexpr ColourValue WindowText = 0x80000008;
constexpr ColourValue AppWorkspace = 0x8000000C;
constexpr ColourValue ButtonFace = 0x8000000F;
constexpr ColourValue ButtonShadow = 0x80000010;
constexpr ColourValue ButtonText = 0x80000012;
constexpr ColourValue ButtonHighlight = 0x80000014;
} // namespace SystemColour

/// True when @p value names a system colour (its top bit is set).
constexpr bool IsSystemColour(ColourValue value)
{
    return (value & 0x80000000u) != 0;
}

/// The palette role that system colour @p value resolves through (see the table
/// above); QPalette::Window for numbers not in the table.
QPalette::ColorRole SystemColourRole(ColourValue value);

/// The opaque colour that @p value shows: 0x00BBGGRR directly (the top byte
/// ignored), system colours through @p palette's active group.
QColor ResolveColour(ColourValue value, const QPalette &palette);

/// @p colour as 0x00BBGGRR; its alpha is dropped.
ColourValue ToColourValue(const QColor &colour);

} // namespace huevane
