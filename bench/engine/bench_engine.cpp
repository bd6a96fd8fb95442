// Speed of the gradient engine: preparing a text, then ComputeCharColours
// followed by FormattedText on 1,000,000 characters in 10,000 lines of 100, ASCII,
// and with emoji and combining marks; and the ASCII text's colours through five
// stops in each colour space.

#include "bench/mixedtext.h"
#include "engine/charcolours.h"
#include "engine/formatwriter.h"

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

// The median and best of @p rounds runs of @p run, in seconds.
template <typename Run>
std::pair<double, double> timed(int rounds, Run &&run)
{
    std::vector<double> seconds;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        run();
        seconds.push_back(timer.nsecsElapsed() / 1e9);
    }
    std::sort(seconds.begin(), seconds.end());
    return {seconds[seconds.size() / 2], seconds.front()};
}

void print(const char *name, qint32 characters, std::pair<double, double> seconds,
           qsizetype htmlSize)
{
    const auto [median, best] = seconds;
    std::printf("%-46s %9d chars  median %7.2f ms  best %7.2f ms  %6.1f M chars/s (median)  html "
                "%lld units\n",
                name, characters, median * 1e3, best * 1e3, characters / median / 1e6,
                static_cast<long long>(htmlSize));
}

void measure(const char *name, const PreparedText &text, const Gradient &gradient, int rounds)
{
    qsizetype htmlSize = 0;
    const auto seconds = timed(rounds, [&] {
        htmlSize = FormattedText(text, *ComputeCharColours(text, gradient)).size();
    });
    print(name, text.totalChars(), seconds, htmlSize);
}

} // namespace

int main()
{
    Gradient gradient;
    gradient.start = {255, 70, 30};
    gradient.end = {255, 255, 0};

    for (const bool mixed : {false, true}) {
        const QString plain = mixed ? mixedText(10000) : makeText(10000, 100);
        PreparedText text;
        print(mixed ? "prepare, emoji+marks" : "prepare", qint32(plain.size()),
              timed(21, [&] { text = PreparedText(plain); }), 0);
        gradient.centre = Middle(text.totalChars());
        for (GradientType type : {GradientType::StartToEnd, GradientType::RiseAndFall}) {
            gradient.type = type;
            for (bool perLine : {false, true}) {
                gradient.perLine = perLine;
                char name[64];
                std::snprintf(name, sizeof name, "compute+generate type %d %s%s", int(type),
                              perLine ? "per line" : "whole", mixed ? ", emoji+marks" : "");
                measure(name, text, gradient, 21);
            }
        }
    }

    const PreparedText text(makeText(10000, 100));
    gradient.type = GradientType::StartToEnd;
    gradient.perLine = false;
    gradient.stops = {
        {255, 0, 0, 0}, {255, 255, 0, 25}, {0, 255, 0, 50}, {0, 0, 255, 75}, {255, 0, 255, 100}};
    for (const ColourSpace space :
         {ColourSpace::Rgb, ColourSpace::Oklab, ColourSpace::Oklch, ColourSpace::Hsl}) {
        gradient.space = space;
        char name[64];
        std::snprintf(name, sizeof name, "compute+generate 5 stops %.*s",
                      int(ColourSpaceName(space).size()), ColourSpaceName(space).data());
        measure(name, text, gradient, 21);
    }
    return 0;
}
