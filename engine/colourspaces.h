#pragma once

#include <QLatin1StringView>
#include <QtGlobal>

#include <array>
#include <bit>
#include <vector>

namespace huevane {

/// The spaces a gradient's colours can be mixed in.
enum class ColourSpace : quint8 {
    Rgb,   ///< red, green and blue as they are stored
    Oklab, ///< the perceptual OKLab: L, a, b
    Oklch, ///< OKLab in polar form: L, chroma, hue in degrees
    Hsl,   ///< CSS's hue (degrees), saturation and lightness, each of the last two 0..1
};

/// Every space, in the order of their values.
inline constexpr ColourSpace ColourSpaces[] = {ColourSpace::Rgb, ColourSpace::Oklab,
                                               ColourSpace::Oklch, ColourSpace::Hsl};

/// The name of @p space as huevane-html takes it: rgb, oklab, oklch or hsl.
QLatin1StringView ColourSpaceName(ColourSpace space);

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
/// Oklch, saturation 0 in Hsl, always in the spaces without a hue.
bool HasNoHue(ColourSpace space, const Coordinates &colour);

/// sRGB's transfer function undone: a component 0..255 as linear light 0..1.
double LinearFromComponent(quint8 component);

/// Linear light as a component: sRGB's transfer function, times 255, clamped to
/// 0..255, rounded half to even. Exactly what the formula gives in double
/// precision, found by comparing with the 255 values of linear light where the
/// result goes up by one instead of evaluating a power.
quint8 ComponentFromLinear(double linear);

/// The table behind ComponentFromLinear, for loops that convert many colours.
class LinearEncoding
{
public:
    /// The one table, made at its first use.
    static const LinearEncoding &instance();

    /// ComponentFromLinear(@p linear). The formula is monotonic, so the component
    /// is the number of thresholds at or below the value: a bucket of values (the
    /// top bits of the double: sign, exponent and seven bits of mantissa) gives the
    /// count at its start, and the thresholds inside the bucket, at most
    /// m_mostInBucket of them, are compared without branches.
    quint8 component(double linear) const
    {
        if (!(linear >= m_threshold[1]))
            return 0; // NaN too
        if (linear >= m_threshold[255])
            return 255;
        int v = m_atBucket[(std::bit_cast<quint64>(linear) >> BucketShift) - m_firstBucket];
        for (int i = 0; i < m_mostInBucket; ++i)
            v += linear >= m_threshold[v + 1];
        return static_cast<quint8>(v);
    }

private:
    LinearEncoding();

    static constexpr int BucketShift = 45;
    double m_threshold[257]; // m_threshold[v]: the least linear value of component v or more
    quint64 m_firstBucket = 0;
    int m_mostInBucket = 0;
    std::vector<quint8> m_atBucket;
};

/// OKLab back to red, green and blue (0..255) through @p encoding. Inline: it
/// runs for every character of an oklab or oklch gradient.
inline std::array<quint8, 3> RgbFromOklab(const LinearEncoding &encoding, double lightness,
                                          double a, double b)
{
    const double l1 = lightness + 0.3963377774 * a + 0.2158037573 * b;
    const double m1 = lightness - 0.1055613458 * a - 0.0638541728 * b;
    const double s1 = lightness - 0.0894841775 * a - 1.2914855480 * b;
    const double l = l1 * l1 * l1;
    const double m = m1 * m1 * m1;
    const double s = s1 * s1 * s1;
    return {encoding.component(4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s),
            encoding.component(-1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s),
            encoding.component(-0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s)};
}

/// ComponentFromLinear by the formula itself, with its power: the plain form
/// that the fast one must agree with.
quint8 ComponentFromLinearByFormula(double linear);

} // namespace huevane
