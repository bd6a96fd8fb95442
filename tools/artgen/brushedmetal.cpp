#include "brushedmetal.h"

#include <QColor>

#include <algorithm>
#include <cmath>
#include <vector>

namespace huevane::artgen {

namespace {

// Noise smeared along a row: a running mean over `length` samples, scaled back
// to the spread of a single sample so that every length brushes equally hard.
std::vector<double> streaks(Noise &noise, int width, int length)
{
    std::vector<double> raw(static_cast<std::size_t>(width + length));
    for (double &value : raw)
        value = noise.signedUnit();
    std::vector<double> row(static_cast<std::size_t>(width));
    double sum = 0.0;
    for (int i = 0; i < length; ++i)
        sum += raw[std::size_t(i)];
    const double scale = std::sqrt(double(length)) / double(length);
    for (int x = 0; x < width; ++x) {
        row[std::size_t(x)] = sum * scale;
        sum += raw[std::size_t(x + length)] - raw[std::size_t(x)];
    }
    return row;
}

} // namespace

QImage BrushedMetal(QSize size, const MetalTone &tone, std::uint32_t seed, double ratio)
{
    QImage image(size, QImage::Format_RGB32);
    Noise noise(seed);
    const int longLength = int(std::lround(48 * ratio));
    const int shortLength = int(std::lround(7 * ratio));
    for (int y = 0; y < size.height(); ++y) {
        const double rowShade = noise.signedUnit() * 0.55;
        const std::vector<double> longStreaks = streaks(noise, size.width(), longLength);
        const std::vector<double> shortStreaks = streaks(noise, size.width(), shortLength);
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const double brushing = rowShade + 0.55 * longStreaks[std::size_t(x)]
                + 0.3 * shortStreaks[std::size_t(x)] + 0.12 * noise.signedUnit();
            const int grey = int(std::lround(tone.level + tone.grain * brushing));
            line[x] = qRgb(std::clamp(grey - tone.tint, 0, 255), std::clamp(grey, 0, 255),
                           std::clamp(grey + tone.tint, 0, 255));
        }
    }
    return image;
}

} // namespace huevane::artgen
