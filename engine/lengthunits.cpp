#include "lengthunits.h"

namespace huevane {

qint64 LengthIn(LengthUnit unit, const char16_t *first, const char16_t *last)
{
    const qint64 units = last - first;
    if (unit == LengthUnit::Utf16 || units == 0)
        return units;
    // Written branch-free, so that the loops run many units at a time: a pair is
    // a low surrogate after a high one.
    qint64 pairs = 0;
    for (const char16_t *u = first + 1; u < last; ++u)
        pairs += (u[0] & 0xFC00) == 0xDC00 && (u[-1] & 0xFC00) == 0xD800;
    if (unit == LengthUnit::CodePoints)
        return units - pairs;
    // Each unit counts 1, 2 or 3 bytes, a surrogate 3, which is right for a lone
    // one (U+FFFD); a pair's 6 are 4.
    qint64 bytes = 0;
    for (const char16_t *u = first; u < last; ++u)
        bytes += 1 + (*u >= 0x80) + (*u >= 0x800);
    return bytes - 2 * pairs;
}

} // namespace huevane
