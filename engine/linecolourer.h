#pragma once

#include "characters.h"
#include "gradientsettings.h"

#include <vector>

namespace huevane {

/// Colours the lines of a text one after the other, in order, each once: the
/// walk over the characters and the batches, shared by every way of computing
/// the colours (ColourStepper, StopStepper), which say how the colour of the next
/// characters follows.
class LineColourer
{
public:
    /// @p settings must outlive the colourer and stay unchanged while it is used.
    explicit LineColourer(const GradientSettings &settings)
        : m_settings(settings)
    { }
    virtual ~LineColourer() = default;

    /// Appends one entry to @p out for every character of line @p index, in order.
    void colourLine(qsizetype index, QList<CharColour> &out);

    /// Colours line @p index exactly as colourLine does, but hands the entries to
    /// @p take(const CharColour *first, const CharColour *last) in batches of at
    /// most @p batch entries, in order, instead of keeping them: the memory it
    /// takes does not grow with the length of the line. In per-line mode the
    /// line's characters are counted first.
    template <typename Take>
    void colourLineInBatches(qsizetype index, qsizetype batch, Take &&take);

protected:
    /// Sets up line @p index, which has @p characters characters; in whole-text
    /// mode the count is not needed and may be 0.
    virtual void beginLine(qsizetype index, qsizetype characters) = 0;
    /// Colours the entries [first, last), the next characters of the line begun.
    virtual void colour(CharColour *first, CharColour *last) = 0;

    const GradientSettings &m_settings;

private:
    std::vector<CharColour> m_batch;
};

template <typename Take>
void LineColourer::colourLineInBatches(qsizetype index, qsizetype batch, Take &&take)
{
    const TextSpan line = m_settings.lines.at(index);
    if (line.length == 0)
        return; // as in colourLine
    const QStringView text = line.in(m_settings.text);
    beginLine(index, m_settings.perLine ? CountCharacters(text) : 0);

    batch = qMax<qsizetype>(batch, 1);
    m_batch.clear();
    m_batch.reserve(static_cast<size_t>(qMin<qsizetype>(batch, 1 << 16)));
    const auto handOver = [&] {
        CharColour *const first = m_batch.data();
        CharColour *const last = first + m_batch.size();
        colour(first, last);
        take(static_cast<const CharColour *>(first), static_cast<const CharColour *>(last));
        m_batch.clear();
    };
    ForEachCharacter(text, [&](TextSpan c) {
        m_batch.push_back(
            CharColour {line.start + c.start, static_cast<quint32>(c.length), 0, 0, 0});
        if (static_cast<qsizetype>(m_batch.size()) == batch)
            handOver();
    });
    if (!m_batch.empty())
        handOver();
}

} // namespace huevane
