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

} // namespace huevane
