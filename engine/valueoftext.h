#pragma once

#include <QStringView>

namespace huevane {

/// The number that @p text begins with, the way a colour value field is read.
///
/// Blanks (spaces, tabs, line breaks) are skipped wherever they stand; then an
/// optional sign, digits with an optional decimal point, and an optional exponent
/// ("e" or "E", optional sign, digits) are read, and reading stops at the first
/// character that cannot continue the number. A text that does not begin with a
/// number, the empty text included, is 0. The decimal point is always ".".
/// A magnitude too large for a double gives an infinity of the number's sign;
/// one too small gives 0.
double ValueOfText(QStringView text);

} // namespace huevane
