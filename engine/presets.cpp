#include "presets.h"

#include "stopslist.h"

namespace huevane {

const QList<Preset> &Presets()
{
    using enum ColourSpace;
    using enum HueRule;
    // clang-format off
    static const QList<Preset> presets {
        {"rainbow", "FF0000,FF8000,FFFF00,00FF00,00FFFF,0000FF,8000FF", Hsl, Shorter},
        {"hue-circle", "FF0000,FF0000", Hsl, Longer},
        {"sunset", "FFB347,FF5E3A@35,D62A68@70,5B1A8C", Oklab, Shorter},
        {"ocean", "A0F0FF,00B4D8@30,0066FF@65,0A1F6E", Oklab, Shorter},
        {"fire", "FFF200,FF8C00@40,E01000@75,5A0000", Oklab, Shorter},
        {"forest", "D4ED6A,3FA34D@45,0B4A2A", Oklch, Shorter},
        {"pastel", "FFB3BA,FFDFBA,FFFFBA,BAFFC9,BAE1FF", Oklch, Shorter},
        {"candy", "FF5FC8,6E6CF5", Oklch, Longer},
        {"ice", "FFFFFF,A0E8FF@50,2070FF", Oklab, Shorter},
        {"traffic", "FF0000,FFFF00@50,00C000", Rgb, Shorter},
    };
    // clang-format on
    return presets;
}

const Preset *FindPreset(QStringView name)
{
    for (const Preset &preset : Presets()) {
        if (name == QLatin1StringView(preset.name))
            return &preset;
    }
    return nullptr;
}

StopGradient PresetStops(const Preset &preset)
{
    StopGradient gradient {{}, preset.space, preset.hue};
    ParseStops(QString::fromLatin1(preset.stops), gradient.stops);
    return gradient;
}

} // namespace huevane
