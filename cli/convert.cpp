#include "convert.h"

namespace huevane::cli {

Gradient GradientFor(const Options &options, const PreparedText &text)
{
    return Gradient {options.start,
                     options.end,
                     options.stops,
                     options.space,
                     options.hue,
                     GradientType(options.type),
                     options.centre.value_or(Middle(text.totalChars())),
                     options.perLine};
}

int Convert(const Options &options, const InputText &input, std::FILE *out, std::FILE *err,
            qsizetype batch)
{
    if (!input.error.isEmpty()) {
        std::fprintf(err, "huevane-html: %s\n", qUtf8Printable(input.error));
        return InputError;
    }
    const PreparedText text(input.text);
    if (!WriteColouredText(text, GradientFor(options, text), OutputOptionsFor(options), out,
                           batch)) {
        std::fprintf(err, "huevane-html: cannot write to standard output\n");
        return InputError;
    }
    return Success;
}

} // namespace huevane::cli
