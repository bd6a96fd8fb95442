#pragma once

#include "characters.h"
#include "gradientsettings.h"

#include <vector>

namespace huevane {

/// Colours the lines of a gradient one after the other, carrying the running
/// colour from line to line in whole-text mode. ComputeCharColours runs it over
/// every line; huevane-html runs it line by line to write as it goes.
///
/// The arithmetic is exact to the float: working values are 32-bit floats, every
/// expression is evaluated in double from the stored floats and rounded to float
/// once, when stored, and every conversion to a whole number is half-even. The
/// start and end colours are brought into 0..255 first.
class ColourStepper
{
public:
    /// Prepares a run over @p settings, which must outlive the stepper and stay
    /// unchanged while it is used. gradientType must be 1, 2 or 3.
    explicit ColourStepper(const GradientSettings &settings);

    /// Appends one entry to @p out for every character of line @p index, in order.
    /// Lines must be coloured in order, from line 0, each once.
    void colourLine(qsizetype index, QList<CharColour> &out);

    /// Colours line @p index exactly as colourLine does, but hands the entries to
    /// @p take(const CharColour *first, const CharColour *last) in batches of at
    /// most @p batch entries, in order, instead of keeping them: the memory it
    /// takes does not grow with the length of the line. In per-line mode the
    /// line's characters are counted first. Lines must be coloured in order, from
    /// line 0, each once, by either function.
    template <typename Take>
    void colourLineInBatches(qsizetype index, qsizetype batch, Take &&take);

private:
    // Sets up the working values of line @p index, which has @p characters
    // characters; in whole-text mode the count is not needed.
    void beginLine(qsizetype index, qsizetype characters);
    // Colours the entries [first, last), the next characters of the line begun.
    void colour(CharColour *first, CharColour *last);

    const GradientSettings &m_settings;
    float m_from[3];
    float m_to[3];
    float m_current[3];
    qint64 m_coloured = 0; // characters coloured so far in the current run
    // Working values of the line begun.
    float m_step[3] = {};
    double m_rise[3] = {};
    double m_fall[3] = {};
    qint32 m_turn = 0;
    std::vector<CharColour> m_batch;
};

template <typename Take>
void ColourStepper::colourLineInBatches(qsizetype index, qsizetype batch, Take &&take)
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

/// Replaces charColours by one entry for every character of the text's lines,
/// totalChars entries in text order, for the settings' type, colours, centre and
/// per-line option. Returns false, leaving charColours empty, when gradientType is
/// not 1, 2 or 3.
bool ComputeCharColours(GradientSettings &settings);

} // namespace huevane
