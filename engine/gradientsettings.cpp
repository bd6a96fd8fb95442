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
    settings.centre = RoundHalfEven(settings.totalChars / 2.0);
    settings.charColours.clear();
}

bool IsBlankText(QStringView text)
{
    for (QChar c : text) {
        if (c != u' ')
            return false;
    }
    return true;
}

} // namespace huevane
