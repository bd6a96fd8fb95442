#pragma once

#include <QtGlobal>

#include <array>

namespace huevane {

/// The spaces a gradient's colours can be mixed in.
enum class ColourSpace : quint8 {
    Rgb,   ///< red, green and blue as they are stored
    Oklab, ///< the perceptual OKLab: L, a, b
    Oklch, ///< OKLab in polar form: L, chroma, hue in degrees
    Hsl,   ///< CSS's hue (degrees), saturation and lightness, each of the last two 0..1
};

/// Three components of a colour in some space, in double precision.
using Coordinates = std::array<double, 3>;

/// A colour of whole components 0..255 in @p space: Rgb keeps them (0..255),
/// Oklab gives L, a, b; Oklch L, chroma, hue; Hsl hue, saturation, lightness.
/// Hues are in degrees from 0 up to 360.
Coordinates FromRgb(ColourSpace space, quint8 red, quint8 green, quint8 blue);

/// Coordinates in @p space back to red, green and blue, each component clamped to
/// 0..255 and then rounded half to even. A hue may lie outside 0..360.
std::array<quint8, 3> ToRgb(ColourSpace space, const Coordinates &colour);

/// The index of the hue among the coordinates of @p space, or -1 for a space
/// without one.
int HueIndex(ColourSpace space);

/// True when a colour of @p space has no hue of its own: chroma below 0.0001 in
/// Oklch, saturation 0 in Hsl.
bool HasNoHue(ColourSpace space, const Coordinates &colour);

/// sRGB's transfer function undone: a component 0..255 as linear light 0..1.
double LinearFromComponent(quint8 component);

/// Linear light as a component: sRGB's transfer function, times 255, clamped to
/// 0..255, rounded half to even. Exactly what the formula gives in double
/// precision, found by comparing with the 255 values of linear light where the
/// result goes up by one instead of evaluating a power.
quint8 ComponentFromLinear(double linear);

/// ComponentFromLinear by the formula itself, with its power: the plain form
/// that the fast one must agree with.
quint8 ComponentFromLinearByFormula(double linear);

} // namespace huevane
