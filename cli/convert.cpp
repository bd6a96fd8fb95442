#include "convert.h"

#include "engine/charcolours.h"
#include "engine/rounding.h"
#include "engine/stopstepper.h"

namespace huevane::cli {

GradientSettings SettingsFor(const Options &options, const QString &text)
{
    GradientSettings settings;
    SetText(settings, text);
    settings.startColour = options.start;
    settings.endColour = options.end;
    settings.gradientType = options.type;
    if (options.centre)
        settings.centre = *options.centre;
    settings.perLine = options.perLine;
    settings.upperCaseTags = options.upperCaseTags;
    settings.noQuotes = options.noQuotes;
    return settings;
}

std::optional<StopGradient> StopGradientFor(const Options &options)
{
    if (options.stops.isEmpty() && options.space == ColourSpace::Rgb)
        return std::nullopt;
    StopGradient gradient {options.stops, options.space, options.hue};
    if (gradient.stops.isEmpty()) {
        for (const auto &[colour, position] : {std::pair(options.start, 0.0), {options.end, 100.0}})
            gradient.stops.append({quint8(RoundHalfEven(colour.red)),
                                   quint8(RoundHalfEven(colour.green)),
                                   quint8(RoundHalfEven(colour.blue)), position});
    }
    return gradient;
}

std::unique_ptr<LineColourer> ColourerFor(const Options &options, const GradientSettings &settings)
{
    if (const auto gradient = StopGradientFor(options))
        return std::make_unique<StopStepper>(settings, *gradient);
    return std::make_unique<ColourStepper>(settings);
}

int Convert(const Options &options, const InputText &input, std::FILE *out, std::FILE *err,
            qsizetype batch)
{
    if (!input.error.isEmpty()) {
        std::fprintf(err, "huevane-html: %s\n", qUtf8Printable(input.error));
        return InputError;
    }
    const OutputOptions output = OutputOptionsFor(options);
    const GradientSettings settings = SettingsFor(options, input.text);
    if (!WriteColouredText(settings, *ColourerFor(options, settings), output, out, batch)) {
        std::fprintf(err, "huevane-html: cannot write to standard output\n");
        return InputError;
    }
    return Success;
}

} // namespace huevane::cli
