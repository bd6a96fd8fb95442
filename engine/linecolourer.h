#pragma once

#include "charcolour.h"
#include "gradient.h"
#include "preparedtext.h"

#include <vector>

namespace huevane {

/// Colours the lines of a prepared text one after the other, in order, each once:
/// the walk over the characters and the batches, shared by every way of
/// computing the colours (ColourStepper, StopStepper), which say how the colour
/// of the next characters follows.
class LineColourer
{
public:
    /// Colours @p text, which must outlive the colourer, for @p gradient.
    LineColourer(const PreparedText &text, const Gradient &gradient)
        : m_text(text)
        , m_gradient(gradient)
    { }
    virtual ~LineColourer() = default;

    /// Appends one entry to @p out for every character of line @p index, in order.
    void colourLine(qsizetype index, QList<CharColour> &out);

    /// Colours line @p index exactly as colourLine does, but hands the entries to
    /// @p take(const CharColour *first, const CharColour *last) in batches of at
    /// most @p batch entries, in order, instead of keeping them: the memory it
    /// takes does not grow with the length of the line.
    template <typename Take>
    void colourLineInBatches(qsizetype index, qsizetype batch, Take &&take);

protected:
    /// Sets up line @p index, which has @p characters characters (1 or more).
    virtual void beginLine(qsizetype index, qsizetype characters) = 0;
    /// Colours the entries [first, last), the next characters of the line begun.
    virtual void colour(CharColour *first, CharColour *last) = 0;

    const PreparedText &m_text;
    const Gradient m_gradient;

private:
    std::vector<CharColour> m_batch;
};

template <typename Take>
void LineColourer::colourLineInBatches(qsizetype index, qsizetype batch, Take &&take)
{
    const qsizetype characters = m_text.lineCharacters(index);
    if (characters == 0)
        return; // as in colourLine
    beginLine(index, characters);

    const qsizetype size = qMin(qMax<qsizetype>(batch, 1), characters);
    if (qsizetype(m_batch.size()) < size)
        m_batch.resize(size_t(size));
    CharColour *const first = m_batch.data();
    CharColour *next = first;
    const auto handOver = [&] {
        colour(first, next);
        take(static_cast<const CharColour *>(first), static_cast<const CharColour *>(next));
        next = first;
    };
    m_text.forEachCharacter(index, [&](TextSpan c) {
        *next++ = CharColour {c.start, static_cast<quint32>(c.length), 0, 0, 0};
        if (next - first == size)
            handOver();
    });
    if (next != first)
        handOver();
}

} // namespace huevane
