#pragma once

#include <QtGlobal>

#include <cmath>
#include <limits>

namespace huevane {

/// The nearest whole number to @p value, ties going to the even neighbour
/// (2.5 gives 2, 3.5 gives 4, 0.5 gives 0). Every conversion of a floating-point
/// value to a whole number in Huevane goes through here. Values beyond the
/// 32-bit range saturate; NaN gives 0.
inline qint32 RoundHalfEven(double value)
{
    if (!(value == value))
        return 0;
    if (value >= static_cast<double>(std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    if (value <= static_cast<double>(std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    // nearbyint follows the default rounding mode, round-to-nearest-even.
    return static_cast<qint32>(std::nearbyint(value));
}

/// RoundHalfEven for a colour component already known to lie in 0..255.
/// Adding and removing 1.5 * 2^52 leaves the double rounded to a whole number by
/// the FPU's own round-to-nearest-even, without a call into the maths library.
inline quint8 RoundComponent(float component)
{
    constexpr double magic = 6755399441055744.0;
    return static_cast<quint8>((static_cast<double>(component) + magic) - magic);
}

} // namespace huevane
