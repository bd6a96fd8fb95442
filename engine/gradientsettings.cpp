#include "gradientsettings.h"

namespace huevane {

void SetText(GradientSettings &settings, QString text)
{
    settings.text = PreparedText(std::move(text));
    settings.gradient.centre = Middle(settings.text.totalChars());
}

} // namespace huevane
