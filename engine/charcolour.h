#pragma once

#include <QStringView>

namespace huevane {

/// The colour of one character of a text. The entry refers to its character
/// inside the text instead of holding a copy of it.
struct CharColour
{
    qsizetype start = 0; ///< first UTF-16 code unit of the character in the text
    quint32 length = 0;  ///< UTF-16 code units of the character (1 or more)
    quint8 red = 0;
    quint8 green = 0;
    quint8 blue = 0;

    QStringView character(QStringView text) const { return text.sliced(start, length); }

    /// The colour as 0xRRGGBB.
    constexpr quint32 rgb() const { return quint32(red) << 16 | quint32(green) << 8 | blue; }
};
static_assert(sizeof(CharColour) <= 16, "an entry of the colours fits in 16 bytes");

} // namespace huevane
