#pragma once

#include "engine/htmlwriter.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace huevane::fuzz {

/// Ends the run with @p what on standard error when @p condition does not hold.
/// The abort is what libFuzzer, and CTest in the corpus replay, see as a finding.
void Check(bool condition, const char *what);

/// Takes fixed-size values from the front of a fuzz input, then the rest of it.
/// Past the end of the input every value is 0.
class InputReader
{
public:
    InputReader(const std::uint8_t *data, std::size_t size)
        : m_data(data)
        , m_size(size)
    { }

    std::uint8_t byte() { return take<std::uint8_t>(); }
    float number() { return take<float>(); }
    std::int32_t whole() { return take<std::int32_t>(); }

    /// Everything not taken yet.
    QByteArrayView rest() const
    {
        return QByteArrayView(reinterpret_cast<const char *>(m_data) + m_at,
                              qsizetype(m_size - m_at));
    }

private:
    template <typename T>
    T take()
    {
        T value {};
        const std::size_t n = m_at + sizeof(T) <= m_size ? sizeof(T) : m_size - m_at;
        std::memcpy(&value, m_data + m_at, n);
        m_at += n;
        return value;
    }

    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

/// Checks that the entries of charColours, computed for @p settings, cover the
/// characters of every line exactly once, in order: no character lost, doubled
/// or split.
void CheckEntriesCoverLines(const GradientSettings &settings);

/// Checks @p output, written for @p settings with its charColours in the format
/// of @p options: every line of the text, and nothing else, comes back once the
/// tags and line ends are taken away and, with escape, the entities read; every
/// character is in its entry's colour; a tag opens for every entry, or with
/// merge (always in ansi) where the colour changes on a line; and the tags are
/// written in the case and quoting that the options ask for.
void CheckOutputGivesBackText(const GradientSettings &settings, const OutputOptions &options,
                              QStringView output);

} // namespace huevane::fuzz
