#include "colourspaces.h"

#include "rounding.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace huevane {

namespace {

double encode(double linear)
{
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
}

double decode(double encoded)
{
    return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

quint8 toComponent(double value)
{
    return static_cast<quint8>(RoundHalfEven(std::clamp(value, 0.0, 255.0)));
}

// Where the encoded component goes up by one. The formula is monotonic, so the
// component of x is the number of thresholds at or below x. A bucket of linear
// values (the top bits of the double: exponent and seven bits of mantissa) gives
// the count at its start; the next threshold or two within the bucket are then
// compared one by one.
struct Encoding
{
    static constexpr int BucketShift = 45;
    double threshold[257]; // threshold[v]: the least linear value of component v or more
    quint64 firstBucket;
    std::vector<quint8> atBucket;

    Encoding()
    {
        threshold[0] = -std::numeric_limits<double>::infinity();
        for (int v = 1; v <= 255; ++v) {
            // The least double (ordered by its bits, which are ordered as
            // non-negative doubles are) whose component reaches v.
            quint64 low = std::bit_cast<quint64>(0.0);
            quint64 high = std::bit_cast<quint64>(2.0);
            while (high - low > 1) {
                const quint64 middle = low + (high - low) / 2;
                if (ComponentFromLinearByFormula(std::bit_cast<double>(middle)) >= v)
                    high = middle;
                else
                    low = middle;
            }
            threshold[v] = std::bit_cast<double>(high);
        }
        threshold[256] = std::numeric_limits<double>::infinity();
        firstBucket = std::bit_cast<quint64>(threshold[1]) >> BucketShift;
        const quint64 lastBucket = std::bit_cast<quint64>(threshold[255]) >> BucketShift;
        atBucket.resize(lastBucket - firstBucket + 1);
        for (quint64 b = firstBucket; b <= lastBucket; ++b) {
            const double start = std::bit_cast<double>(b << BucketShift);
            atBucket[b - firstBucket] = static_cast<quint8>(
                std::upper_bound(threshold + 1, threshold + 256, start) - (threshold + 1));
        }
    }

    quint8 component(double linear) const
    {
        if (!(linear >= threshold[1]))
            return 0; // NaN too
        if (linear >= threshold[255])
            return 255;
        int v = atBucket[(std::bit_cast<quint64>(linear) >> BucketShift) - firstBucket];
        while (linear >= threshold[v + 1])
            ++v;
        return static_cast<quint8>(v);
    }
};

const Encoding &encoding()
{
    static const Encoding table;
    return table;
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

std::array<quint8, 3> rgbFromOklab(double lightness, double a, double b)
{
    const double l1 = lightness + 0.3963377774 * a + 0.2158037573 * b;
    const double m1 = lightness - 0.1055613458 * a - 0.0638541728 * b;
    const double s1 = lightness - 0.0894841775 * a - 1.2914855480 * b;
    const double l = l1 * l1 * l1;
    const double m = m1 * m1 * m1;
    const double s = s1 * s1 * s1;
    const Encoding &e = encoding();
    return {e.component(4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s),
            e.component(-1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s),
            e.component(-0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s)};
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
        const double k = std::fmod(n + hue / 30.0, 12.0);
        return lightness - a * std::max(-1.0, std::min({k - 3.0, 9.0 - k, 1.0}));
    };
    return {toComponent(255.0 * f(0.0)), toComponent(255.0 * f(8.0)), toComponent(255.0 * f(4.0))};
}

// @p degrees brought into 0 up to 360.
double wrapped(double degrees)
{
    const double h = std::fmod(degrees, 360.0);
    return h < 0.0 ? h + 360.0 : h;
}

} // namespace

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
    return toComponent(255.0 * encode(linear));
}

quint8 ComponentFromLinear(double linear)
{
    return encoding().component(linear);
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
        return rgbFromOklab(c[0], c[1], c[2]);
    case ColourSpace::Oklch: {
        const double hue = wrapped(c[2]) / Degrees;
        return rgbFromOklab(c[0], c[1] * std::cos(hue), c[1] * std::sin(hue));
    }
    case ColourSpace::Hsl:
        return rgbFromHsl(wrapped(c[0]), c[1], c[2]);
    }
    return {toComponent(c[0]), toComponent(c[1]), toComponent(c[2])};
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
