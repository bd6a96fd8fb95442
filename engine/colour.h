#pragma once

#include <QtGlobal>

namespace huevane {

/// One colour as red, green and blue components, each a 32-bit float. Components
/// read from a value field may lie outside 0..255 until they are committed.
struct ColourTriplet
{
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;

    friend bool operator==(const ColourTriplet &, const ColourTriplet &) = default;
};

/// Component @p index of @p colour: 0 red, 1 green, 2 blue.
inline float Component(const ColourTriplet &colour, int index)
{
    return index == 0 ? colour.red : index == 1 ? colour.green : colour.blue;
}

/// A colour as the drawing surfaces and the layout state it: 0x00BBGGRR with red
/// in the lowest byte, or, with the top bit set, 0x800000nn naming system colour nn
/// (the window's palette resolves those).
using ColourValue = quint32;

/// The system colours the program names.
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

/// Packs three components into 0x00BBGGRR (red in the lowest byte, top byte 0),
/// the form every drawing surface takes. Components are clamped to 0..255.
quint32 PackColour(int red, int green, int blue);

/// Packs a triplet, each component rounded half-even and clamped to 0..255.
quint32 PackColour(const ColourTriplet &colour);

/// @p component brought into 0..255; NaN gives 0.
inline float ClampComponent(float component)
{
    if (!(component >= 0.0f))
        return 0.0f;
    return component > 255.0f ? 255.0f : component;
}

/// Each component of @p colour brought into 0..255.
ColourTriplet ClampedColour(const ColourTriplet &colour);

} // namespace huevane
