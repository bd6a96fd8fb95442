#pragma once

#include "stops.h"

#include <QList>
#include <QStringView>

namespace huevane {

/// A named gradient through stops: huevane-html's --preset, and the window's.
struct Preset
{
    const char *name;
    const char *stops; ///< as ParseStops reads them
    ColourSpace space;
    HueRule hue; ///< Shorter for rgb and oklab, which have no hue
};

/// Every preset, in the order they are listed.
const QList<Preset> &Presets();

/// The preset called @p name, or null.
const Preset *FindPreset(QStringView name);

/// The stops, space and hue rule @p preset stands for.
StopGradient PresetStops(const Preset &preset);

} // namespace huevane
