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

/// A stored float as the double every expression is evaluated in; exact.
inline double AsDouble(float value)
{
    return static_cast<double>(value);
}

/// @p value rounded to the nearest float, ties to even, as a float working value
/// is stored. The float goes through a volatile object, which the compiler must
/// write and read back, so what is used afterwards is the stored float whatever
/// the optimiser does with the code around it. A plain conversion is not enough:
/// GCC 12 at -O3 vectorised a float stored from a double and widened again, and
/// then folded the narrowing and the widening away, using the unrounded double.
inline float StoredFloat(double value)
{
    volatile float stored = static_cast<float>(value);
    return stored;
}

/// RoundHalfEven for a colour component already known to lie in 0..255.
/// Adding and removing 1.5 * 2^52 leaves the double rounded to a whole number by
/// the FPU's own round-to-nearest-even, without a call into the maths library.
inline quint8 RoundComponent(float component)
{
    constexpr double magic = 6755399441055744.0;
    return static_cast<quint8>((static_cast<double>(component) + magic) - magic);
}

/// @p value limited to 0..255 (NaN gives 0), then rounded half to even, as
/// RoundHalfEven does, without a call into the maths library.
inline quint8 ComponentFromValue(double value)
{
    constexpr double magic = 6755399441055744.0;
    if (!(value > 0.0))
        return 0;
    if (value >= 255.0)
        return 255;
    return static_cast<quint8>((value + magic) - magic);
}

} // namespace huevane
