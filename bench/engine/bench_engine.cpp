// Speed of the gradient engine: ComputeCharColours followed by GenerateHtml on
// 1,000,000 characters in 10,000 lines of 100, ASCII, and with emoji and
// combining marks; and the ASCII text's colours through five stops in each
// colour space.

#include "bench/mixedtext.h"
#include "engine/charcolours.h"
#include "engine/htmlwriter.h"
#include "engine/stopstepper.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace huevane;

namespace {

QString makeText(int lines, int lineLength)
{
    QString text;
    text.reserve(qsizetype(lines) * (lineLength + 2));
    for (int i = 0; i < lines; ++i) {
        for (int j = 0; j < lineLength; ++j)
            text += QChar(u'!' + (i * 31 + j * 7) % 94);
        if (i + 1 < lines)
            text += QStringLiteral("\r\n");
    }
    return text;
}

QString mixedText(int lines)
{
    QStringList all(lines, MixedCharacters().join(QString()));
    return all.join(u"\r\n"_qs);
}

// @p stops: the colours through them, else the settings' own arithmetic.
void measure(const char *name, GradientSettings &settings, int rounds,
             const StopGradient *stops = nullptr)
{
    std::vector<double> seconds;
    qsizetype htmlSize = 0;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        QList<CharColour> colours;
        if (stops) {
            StopStepper stepper(settings, *stops);
            colours = ColourAllLines(settings, stepper);
        } else {
            colours = *ComputeCharColours(settings);
        }
        const QString html = GenerateHtml(PreparedText(settings.text), colours);
        seconds.push_back(timer.nsecsElapsed() / 1e9);
        htmlSize = html.size();
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    std::printf("%-46s %9d chars  median %7.2f ms  best %7.2f ms  %6.1f M chars/s (median)  html "
                "%lld units\n",
                name, settings.totalChars, median * 1e3, seconds.front() * 1e3,
                settings.totalChars / median / 1e6, static_cast<long long>(htmlSize));
}

} // namespace

int main()
{
    GradientSettings settings;
    settings.startColour = {255, 70, 30};
    settings.endColour = {255, 255, 0};

    for (const bool mixed : {false, true}) {
        SetText(settings, mixed ? mixedText(10000) : makeText(10000, 100));
        for (quint8 type : {StartToEnd, RiseAndFall}) {
            settings.gradientType = type;
            for (bool perLine : {false, true}) {
                settings.perLine = perLine;
                char name[64];
                std::snprintf(name, sizeof name, "compute+generate type %d %s%s", type,
                              perLine ? "per line" : "whole", mixed ? ", emoji+marks" : "");
                measure(name, settings, 21);
            }
        }
    }

    SetText(settings, makeText(10000, 100));
    settings.gradientType = StartToEnd;
    settings.perLine = false;
    StopGradient stops {
        {{255, 0, 0, 0}, {255, 255, 0, 25}, {0, 255, 0, 50}, {0, 0, 255, 75}, {255, 0, 255, 100}}};
    const char *spaces[] = {"rgb", "oklab", "oklch", "hsl"};
    for (int space = 0; space < 4; ++space) {
        stops.space = ColourSpace(space);
        char name[64];
        std::snprintf(name, sizeof name, "compute+generate 5 stops %s", spaces[space]);
        measure(name, settings, 21, &stops);
    }
    return 0;
}
