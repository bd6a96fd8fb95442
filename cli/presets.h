#pragma once

#include <QList>
#include <QString>

namespace huevane::cli {

/// A named gradient: the values of --stops, --space and --hue it stands for.
struct Preset
{
    const char *name;
    const char *stops;
    const char *space;
    const char *hue; ///< empty for rgb and oklab, which take no --hue
};

/// Every preset, in the order --list-presets prints them.
const QList<Preset> &Presets();

/// The preset called @p name, or null.
const Preset *FindPreset(const QString &name);

/// The options a preset stands for, as --list-presets prints them:
/// "--stops LIST --space SPACE", then " --hue RULE" for oklch and hsl.
QString PresetOptions(const Preset &preset);

} // namespace huevane::cli
