#include "presets.h"

namespace huevane::cli {

const QList<Preset> &Presets()
{
    // clang-format off
    static const QList<Preset> presets {
        {"rainbow", "FF0000,FF8000,FFFF00,00FF00,00FFFF,0000FF,8000FF", "hsl", "shorter"},
        {"hue-circle", "FF0000,FF0000", "hsl", "longer"},
        {"sunset", "FFB347,FF5E3A@35,D62A68@70,5B1A8C", "oklab", ""},
        {"ocean", "A0F0FF,00B4D8@30,0066FF@65,0A1F6E", "oklab", ""},
        {"fire", "FFF200,FF8C00@40,E01000@75,5A0000", "oklab", ""},
        {"forest", "D4ED6A,3FA34D@45,0B4A2A", "oklch", "shorter"},
        {"pastel", "FFB3BA,FFDFBA,FFFFBA,BAFFC9,BAE1FF", "oklch", "shorter"},
        {"candy", "FF5FC8,6E6CF5", "oklch", "longer"},
        {"ice", "FFFFFF,A0E8FF@50,2070FF", "oklab", ""},
        {"traffic", "FF0000,FFFF00@50,00C000", "rgb", ""},
    };
    // clang-format on
    return presets;
}

const Preset *FindPreset(const QString &name)
{
    for (const Preset &preset : Presets()) {
        if (name == QLatin1StringView(preset.name))
            return &preset;
    }
    return nullptr;
}

QString PresetOptions(const Preset &preset)
{
    QString options = QStringLiteral("--stops %1 --space %2")
                          .arg(QLatin1StringView(preset.stops), QLatin1StringView(preset.space));
    if (*preset.hue)
        options += QStringLiteral(" --hue ") + QLatin1StringView(preset.hue);
    return options;
}

} // namespace huevane::cli
