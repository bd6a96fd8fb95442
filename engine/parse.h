#pragma once

#include "textspan.h"

#include <QList>

namespace huevane {

/// Splits @p source at every occurrence of @p delimiter (compared exactly) into
/// @p pieces, as spans of @p source in order.
///
/// A delimiter at the very end makes no empty last piece ("ab\r\n" gives one
/// piece); two delimiters in a row give an empty piece between them. A non-empty
/// source replaces the whole list; an empty source leaves @p pieces exactly as it
/// was. The delimiter must not be empty.
void Parse(QStringView source, QList<TextSpan> &pieces, QStringView delimiter);

} // namespace huevane
