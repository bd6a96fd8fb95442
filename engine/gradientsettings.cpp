#include "gradientsettings.h"

#include "characters.h"
#include "rounding.h"

namespace huevane {

void SetText(GradientSettings &settings, const QString &text)
{
    settings.text = text;
    settings.lines = {TextSpan {}};
    Parse(settings.text, settings.lines, LineBreak);

    qsizetype total = 0;
    for (const TextSpan &line : std::as_const(settings.lines))
        total += CountCharacters(line.in(settings.text));
    // totalChars is 32-bit; texts of 2^31 characters or more are not supported
    // (huevane-html refuses inputs that large).
    settings.totalChars =
        static_cast<qint32>(qMin<qsizetype>(total, std::numeric_limits<qint32>::max()));
    settings.centre = Middle(settings.totalChars);
    settings.charColours.clear();
}

qint64 WholeTextLength(const GradientSettings &settings)
{
    return qint64(settings.totalChars) + LineBreak.size() * settings.text.count(LineBreak);
}

qint32 Middle(qint64 length)
{
    return RoundHalfEven(static_cast<double>(length) / 2.0);
}

} // namespace huevane
