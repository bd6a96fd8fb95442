#include "palettes.h"

#include "colourspaces.h"

#include <vector>

namespace huevane {

namespace {

Coordinates oklab(quint32 rgb)
{
    return FromRgb(ColourSpace::Oklab, quint8(rgb >> 16), quint8(rgb >> 8), quint8(rgb));
}

// The entries of each fixed palette in OKLab, worked out once.
const std::vector<Coordinates> &oklabEntries(Palette palette)
{
    static const auto all = [] {
        std::array<std::vector<Coordinates>, 5> lists;
        for (int p = 0; p < 5; ++p) {
            for (const PaletteEntry &entry : PaletteEntries(Palette(p)))
                lists[p].push_back(oklab(entry.rgb));
        }
        return lists;
    }();
    return all[int(palette)];
}

quint8 nearest(const std::vector<Coordinates> &entries, quint32 rgb)
{
    const Coordinates c = oklab(rgb);
    quint8 best = 0;
    double bestDistance = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        const double dl = c[0] - entries[i][0], da = c[1] - entries[i][1],
                     db = c[2] - entries[i][2];
        const double distance = dl * dl + da * da + db * db;
        if (i == 0 || distance < bestDistance) {
            best = quint8(i);
            bestDistance = distance;
        }
    }
    return best;
}

// The xterm cube's levels, and for every component value the nearest of them,
// the lower on a tie.
constexpr int cubeLevels[6] = {0, 95, 135, 175, 215, 255};

constexpr std::array<quint8, 256> nearestCubeLevel = [] {
    std::array<quint8, 256> table {};
    for (int value = 0; value < 256; ++value) {
        int best = 0;
        for (int i = 1; i < 6; ++i) {
            const int d = value - cubeLevels[i], bestD = value - cubeLevels[best];
            if (d * d < bestD * bestD)
                best = i;
        }
        table[value] = quint8(best);
    }
    return table;
}();

// For every sum of the components, R + G + B, the grey nearest to the colour,
// the lower on a tie. The squared distance to grey level v is 3v² - 2v(R + G + B)
// plus a term that v does not change, so the sum alone decides.
constexpr std::array<quint8, 766> nearestGrey = [] {
    std::array<quint8, 766> table {};
    for (int sum = 0; sum < 766; ++sum) {
        int best = 0;
        const auto cost = [sum](int i) {
            const int v = 8 + 10 * i;
            return 3 * v * v - 2 * v * sum;
        };
        for (int i = 1; i < 24; ++i) {
            if (cost(i) < cost(best))
                best = i;
        }
        table[sum] = quint8(best);
    }
    return table;
}();

} // namespace

// The cube is a product of levels, so its nearest colour takes the nearest level
// of each component; every cube number lies below every grey's.
quint8 Xterm256Number(quint8 red, quint8 green, quint8 blue)
{
    const int r = nearestCubeLevel[red], g = nearestCubeLevel[green], b = nearestCubeLevel[blue];
    const auto square = [](int d) { return d * d; };
    const int cube =
        square(red - cubeLevels[r]) + square(green - cubeLevels[g]) + square(blue - cubeLevels[b]);
    const int grey = nearestGrey[red + green + blue];
    const int level = 8 + 10 * grey;
    if (square(red - level) + square(green - level) + square(blue - level) < cube)
        return quint8(232 + grey);
    return quint8(16 + 36 * r + 6 * g + b);
}

quint8 NearestEntry(Palette palette, quint32 rgb)
{
    return nearest(oklabEntries(palette), rgb);
}

quint8 NearestEntry(std::span<const PaletteEntry> entries, quint32 rgb)
{
    std::vector<Coordinates> coordinates;
    for (const PaletteEntry &entry : entries)
        coordinates.push_back(oklab(entry.rgb));
    return nearest(coordinates, rgb);
}

NearestEntries::NearestEntries(Palette palette)
    : m_palette(palette)
{ }

} // namespace huevane
