#include "colourspaces.h"

#include "rounding.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace huevane {

QLatin1StringView ColourSpaceName(ColourSpace space)
{
    static constexpr QLatin1StringView names[] {
        QLatin1StringView("rgb"), QLatin1StringView("oklab"), QLatin1StringView("oklch"),
        QLatin1StringView("hsl")};
    return names[int(space)];
}

namespace {

double encode(double linear)
{
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
}

double decode(double encoded)
{
    return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

constexpr double Degrees = 180.0 / std::numbers::pi;

Coordinates oklabFromRgb(quint8 red, quint8 green, quint8 blue)
{
    const double r = LinearFromComponent(red);
    const double g = LinearFromComponent(green);
    const double b = LinearFromComponent(blue);
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

Coordinates hslFromRgb(quint8 red, quint8 green, quint8 blue)
{
    const double r = red / 255.0;
    const double g = green / 255.0;
    const double b = blue / 255.0;
    const double high = std::max({r, g, b});
    const double low = std::min({r, g, b});
    const double lightness = (high + low) / 2.0;
    const double d = high - low;
    if (d == 0.0)
        return {0.0, 0.0, lightness};
    const double saturation = (high - lightness) / std::min(lightness, 1.0 - lightness);
    double hue;
    if (high == r)
        hue = (g - b) / d + (g < b ? 6.0 : 0.0);
    else if (high == g)
        hue = (b - r) / d + 2.0;
    else
        hue = (r - g) / d + 4.0;
    return {hue * 60.0, saturation, lightness};
}

std::array<quint8, 3> rgbFromHsl(double hue, double saturation, double lightness)
{
    const double a = saturation * std::min(lightness, 1.0 - lightness);
    const auto f = [&](double n) {
        // The hue lies in 0..360, so k lies in 0..20: one subtraction, exact
        // as the remainder is, takes it below 12.
        double k = n + hue / 30.0;
        k = k >= 12.0 ? k - 12.0 : k;
        return lightness - a * std::max(-1.0, std::min({k - 3.0, 9.0 - k, 1.0}));
    };
    return {ComponentFromValue(255.0 * f(0.0)), ComponentFromValue(255.0 * f(8.0)),
            ComponentFromValue(255.0 * f(4.0))};
}

// @p degrees brought into 0 up to 360.
double wrapped(double degrees)
{
    // Mixed hues lie in 0..720, where one subtraction is exactly the remainder.
    if (degrees >= 0.0 && degrees < 720.0)
        return degrees >= 360.0 ? degrees - 360.0 : degrees;
    const double h = std::fmod(degrees, 360.0);
    return h < 0.0 ? h + 360.0 : h;
}

} // namespace

LinearEncoding::LinearEncoding()
{
    m_threshold[0] = -std::numeric_limits<double>::infinity();
    for (int v = 1; v <= 255; ++v) {
        // The least double (ordered by its bits, as non-negative doubles are)
        // whose component reaches v.
        quint64 low = std::bit_cast<quint64>(0.0);
        quint64 high = std::bit_cast<quint64>(2.0);
        while (high - low > 1) {
            const quint64 middle = low + (high - low) / 2;
            if (ComponentFromLinearByFormula(std::bit_cast<double>(middle)) >= v)
                high = middle;
            else
                low = middle;
        }
        m_threshold[v] = std::bit_cast<double>(high);
    }
    m_threshold[256] = std::numeric_limits<double>::infinity();
    m_firstBucket = std::bit_cast<quint64>(m_threshold[1]) >> BucketShift;
    const quint64 lastBucket = std::bit_cast<quint64>(m_threshold[255]) >> BucketShift;
    m_atBucket.resize(lastBucket - m_firstBucket + 1);
    for (quint64 b = m_firstBucket; b <= lastBucket; ++b) {
        const double start = std::bit_cast<double>(b << BucketShift);
        const double *const first = m_threshold + 1;
        const double *const last = m_threshold + 256;
        const auto at = std::upper_bound(first, last, start) - first;
        const auto next =
            std::lower_bound(first, last, std::bit_cast<double>((b + 1) << BucketShift)) - first;
        m_atBucket[b - m_firstBucket] = static_cast<quint8>(at);
        m_mostInBucket = std::max(m_mostInBucket, int(next - at));
    }
}

const LinearEncoding &LinearEncoding::instance()
{
    static const LinearEncoding table;
    return table;
}

double LinearFromComponent(quint8 component)
{
    static const auto table = [] {
        std::array<double, 256> linear {};
        for (int c = 0; c < 256; ++c)
            linear[c] = decode(c / 255.0);
        return linear;
    }();
    return table[component];
}

quint8 ComponentFromLinearByFormula(double linear)
{
    return ComponentFromValue(255.0 * encode(linear));
}

quint8 ComponentFromLinear(double linear)
{
    return LinearEncoding::instance().component(linear);
}

Coordinates FromRgb(ColourSpace space, quint8 red, quint8 green, quint8 blue)
{
    switch (space) {
    case ColourSpace::Rgb:
        break;
    case ColourSpace::Oklab:
        return oklabFromRgb(red, green, blue);
    case ColourSpace::Oklch: {
        const auto [l, a, b] = oklabFromRgb(red, green, blue);
        return {l, std::hypot(a, b), wrapped(std::atan2(b, a) * Degrees)};
    }
    case ColourSpace::Hsl:
        return hslFromRgb(red, green, blue);
    }
    return {double(red), double(green), double(blue)};
}

std::array<quint8, 3> ToRgb(ColourSpace space, const Coordinates &c)
{
    switch (space) {
    case ColourSpace::Rgb:
        break;
    case ColourSpace::Oklab:
        return RgbFromOklab(LinearEncoding::instance(), c[0], c[1], c[2]);
    case ColourSpace::Oklch: {
        const double hue = wrapped(c[2]) / Degrees;
        return RgbFromOklab(LinearEncoding::instance(), c[0], c[1] * std::cos(hue),
                            c[1] * std::sin(hue));
    }
    case ColourSpace::Hsl:
        return rgbFromHsl(wrapped(c[0]), c[1], c[2]);
    }
    return {ComponentFromValue(c[0]), ComponentFromValue(c[1]), ComponentFromValue(c[2])};
}

int HueIndex(ColourSpace space)
{
    return space == ColourSpace::Oklch ? 2 : space == ColourSpace::Hsl ? 0 : -1;
}

bool HasNoHue(ColourSpace space, const Coordinates &colour)
{
    switch (space) {
    case ColourSpace::Oklch:
        return colour[1] < 0.0001;
    case ColourSpace::Hsl:
        return colour[1] == 0.0;
    default:
        return true;
    }
}

} // namespace huevane
