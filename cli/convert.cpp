#include "convert.h"

#include "engine/charcolours.h"

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
    const Gradient gradient = GradientFor(options, text);
    OutputOptions output = options.output;
    output.merge = output.merge || options.limit || options.colourEvery;
    const ColourPasses passes = [&](ColourFeed &feed) {
        ForEachColourBatch(
            text, gradient, batch,
            [&](const CharColour *first, const CharColour *last) { feed.take(first, last); },
            [&] { feed.endLine(); });
    };
    const QString unit = ToQString(LengthUnitWords[int(options.measure.unit)]);
    qint32 k = options.colourEvery.value_or(1);
    std::optional<qint64> length;
    if (options.limit) {
        const Fit fit = FindFit(text, output, {*options.limit, options.measure}, passes);
        if (!fit.fits) {
            const QString shortest = options.measure.perLine
                ? QStringLiteral("has a line of %1 %2, longer than the limit of %3 a line")
                : QStringLiteral("is %1 %2, longer than the limit of %3");
            std::fprintf(err, "huevane-html: the shortest output (k = %d) %s\n", fit.k,
                         qUtf8Printable(shortest.arg(fit.length).arg(unit).arg(*options.limit)));
            return InputError;
        }
        k = fit.k;
        length = fit.length;
    }
    if (!WriteColouredText(text, gradient, output, out, batch, k)) {
        std::fprintf(err, "huevane-html: cannot write to standard output\n");
        return InputError;
    }
    if (options.verbose) {
        const qint64 measured =
            length ? *length : OutputLength(text, output, options.measure, k, passes);
        std::fprintf(err, "huevane-html: k = %d, %s%lld %s\n", k,
                     options.measure.perLine ? "the longest line " : "", qlonglong(measured),
                     qUtf8Printable(unit));
    }
    return Success;
}

} // namespace huevane::cli
