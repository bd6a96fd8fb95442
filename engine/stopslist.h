#pragma once

#include "stops.h"

#include <QString>

namespace huevane {

/// Reads a list of stops, the form huevane-html's --stops takes and the presets
/// are written in: "#RRGGBB" or "RRGGBB", each optionally followed by "@P" (a
/// percentage 0 to 100, decimals allowed), separated by commas, 2 to 16 of them,
/// positions never decreasing. A first stop without a position stands at 0, a
/// last one at 100, and the stops between two positions are spread evenly
/// between them. Returns the problem as words naming the stop ("stop 2, 'F00',
/// is not a stop: ..."), or an empty string; @p stops holds what was read.
QString ParseStops(QStringView text, QList<Stop> &stops);

/// Reads the stops of a gradient written either as ParseStops reads them or as
/// a CSS linear-gradient(...) whose colours are hexadecimal (#RGB or #RRGGBB),
/// each with no place, one percentage or two (the colour at both, a hard
/// edge). Its direction (an angle or "to" a side), when given, is passed over:
/// the gradient runs along the text. As in CSS, a place below an earlier one is
/// raised to it. Anything else (named colours, rgb(), transparency, lengths,
/// hints, an interpolation space) is a problem. Blanks around the text are
/// allowed. Returns the problem in words, or an empty string; @p stops holds
/// what was read.
QString ParseGradientText(QStringView text, QList<Stop> &stops);

/// @p stops (2 or more, positions never decreasing, 0 to 100) as ParseStops
/// reads them back exactly: "RRGGBB" in upper case, with "@P" only where a
/// stop without it would stand elsewhere ("FF0000,FFFF00@30,0000FF").
QString StopsText(const QList<Stop> &stops);

} // namespace huevane
