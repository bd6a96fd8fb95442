#include "platform/colourvalue.h"

#include "platform/fixedpalette.h"

namespace huevane {

QPalette::ColorRole SystemColourRole(ColourValue value)
{
    switch (value) {
    case SystemColour::WindowBackground:
        return QPalette::Base;
    case SystemColour::WindowText:
        return QPalette::Text;
    case SystemColour::AppWorkspace:
        return QPalette::Mid;
    case SystemColour::ButtonFace:
        return QPalette::Button;
    case SystemColour::ButtonShadow:
        return QPalette::Dark;
    case SystemColour::ButtonText:
        return QPalette::ButtonText;
    case SystemColour::ButtonHighlight:
        return QPalette::Light;
    default:
        return QPalette::Window;
    }
}

QColor ResolveColour(ColourValue value)
{
    if (IsSystemColour(value)) {
        static const QPalette palette = FixedPalette();
        QColor colour = palette.color(QPalette::Active, SystemColourRole(value));
        colour.setAlpha(255);
        return colour;
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

ColourValue ToColourValue(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return ColourValue(rgb.red()) | ColourValue(rgb.green()) << 8 | ColourValue(rgb.blue()) << 16;
}

} // namespace huevane
