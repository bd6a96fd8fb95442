#pragma once

#include "templates.h"

#include <QtGlobal>

namespace huevane {

/// What the length of an output is counted in. Values are never renumbered.
enum class LengthUnit : quint8 {
    Utf16,      ///< UTF-16 code units, as Java and JavaScript count: an emoji counts 2
    CodePoints, ///< Unicode code points: an emoji counts 1
    Bytes,      ///< bytes of UTF-8: an emoji counts 4
};

inline constexpr int LengthUnitCount = 3;

/// The units' names, by LengthUnit, as huevane-html's --count takes them.
inline constexpr Words LengthUnitNames[LengthUnitCount] = {u"utf16", u"codepoints", u"bytes"};

/// The units in words, by LengthUnit, for messages: "UTF-16 code units".
inline constexpr Words LengthUnitWords[LengthUnitCount] = {u"UTF-16 code units", u"code points",
                                                           u"bytes"};

/// The length of the UTF-16 code units [@p first, @p last) in @p unit. A lone
/// surrogate counts as the U+FFFD it is written as: one code point, 3 bytes.
qint64 LengthIn(LengthUnit unit, const char16_t *first, const char16_t *last);

} // namespace huevane
