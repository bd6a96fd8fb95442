#include "convert.h"

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

int Convert(const Options &options, const InputText &input, std::FILE *out, std::FILE *err,
            qsizetype batch)
{
    if (!input.error.isEmpty()) {
        std::fprintf(err, "huevane-html: %s\n", qUtf8Printable(input.error));
        return InputError;
    }
    const OutputOptions output {options.upperCaseTags, options.noQuotes, options.format,
                                options.merge, options.escape};
    if (!WriteColouredText(SettingsFor(options, input.text), output, out, batch)) {
        std::fprintf(err, "huevane-html: cannot write to standard output\n");
        return InputError;
    }
    return Success;
}

} // namespace huevane::cli
