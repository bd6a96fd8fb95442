#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>
#include <random>

namespace huevane::artgen {

/// A reproducible source of noise: the same seed gives the same numbers on every
/// platform (the standard distributions are not portable, the engine is).
class Noise
{
public:
    explicit Noise(std::uint32_t seed)
        : m_engine(seed)
    { }

    /// A number in -1..1.
    double signedUnit() { return double(m_engine()) / 4294967295.0 * 2.0 - 1.0; }

private:
    std::mt19937 m_engine;
};

/// How a sheet of brushed metal looks.
struct MetalTone
{
    int level = 192;    ///< mean grey level, 0..255
    double grain = 7.0; ///< strength of the brushing, in grey levels
    int tint = 2;       ///< blue added and red taken away, for a cool steel cast
};

/// A sheet of horizontally brushed metal of @p size device pixels, the same for
/// the same @p seed and @p ratio; its streaks are as long in the layout's pixels
/// at every device pixel @p ratio (default 1).
QImage BrushedMetal(QSize size, const MetalTone &tone, std::uint32_t seed, double ratio = 1.0);

} // namespace huevane::artgen
