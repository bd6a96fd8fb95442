#pragma once

#include "charcolour.h"
#include "preparedtext.h"

#include <QList>

#include <vector>

namespace huevane {

/// Groups of k characters in a row that share one colour: on every line from its
/// first character, k at a time, the last group of a line taking what is left.
/// A group takes the colour of its middle character, the left one of the two
/// middle ones when the group has an even number of characters.
class ColourGroups
{
public:
    /// Groups of @p k characters (1 or more) on lines of @p characters characters.
    ColourGroups(qint64 characters, qint32 k)
        : m_k(k)
        , m_full(characters / k)
        , m_rest(characters % k)
    { }

    /// The number of groups on the line.
    qint64 count() const { return m_full + (m_rest > 0); }

    /// The first character of group @p g, from 0.
    qint64 start(qint64 g) const { return g * m_k; }

    /// The characters of group @p g.
    qint64 size(qint64 g) const { return g < m_full ? m_k : m_rest; }

    /// The character whose colour group @p g takes.
    qint64 middle(qint64 g) const { return start(g) + (size(g) - 1) / 2; }

    /// The first group whose middle character is @p at or after it; count() when none is.
    qint64 firstMiddleFrom(qint64 at) const
    {
        const qint64 half = (m_k - 1) / 2;
        const qint64 g = at <= half ? 0 : (at - half + m_k - 1) / m_k;
        if (g < m_full)
            return g;
        return m_rest > 0 && middle(m_full) >= at ? m_full : count();
    }

private:
    qint64 m_k;
    qint64 m_full; // groups of k characters
    qint64 m_rest; // characters of the last group, when it has fewer than k
};

/// @p colours, one entry for every character of the lines of @p text in order (as
/// ComputeCharColours gives them), with every character in the colour of its group
/// of @p k (ColourGroups). Colours that are not one entry a character come back as
/// they are.
QList<CharColour> GroupedColours(const PreparedText &text, const QList<CharColour> &colours,
                                 qint32 k);

/// The same for colours handed over line by line in batches (ForEachColourBatch),
/// each group given as one entry that spans its characters: written with merged
/// runs, the same output as its characters each in the group's colour.
class ColourGrouper
{
public:
    /// Groups of @p k for the lines of @p text, which must outlive the grouper.
    ColourGrouper(const PreparedText &text, qint32 k)
        : m_text(text)
        , m_k(k)
    { }

    /// Takes the entries [@p first, @p last), the next characters of the current
    /// line, and calls @p done(const CharColour *first, const CharColour *last)
    /// with the groups they complete, if any.
    template <typename Done>
    void take(const CharColour *first, const CharColour *last, Done &&done);

    /// Ends the current line; the next entries are the next line's.
    void endLine()
    {
        ++m_line;
        m_at = 0;
    }

private:
    const PreparedText &m_text;
    qint32 m_k;
    qsizetype m_line = 0;
    qint64 m_at = 0;    // characters of the line taken
    CharColour m_group; // the group being gathered
    std::vector<CharColour> m_done;
};

template <typename Done>
void ColourGrouper::take(const CharColour *first, const CharColour *last, Done &&done)
{
    const ColourGroups groups(m_text.lineCharacters(m_line), m_k);
    m_done.clear();
    for (const CharColour *c = first; c != last; ++c, ++m_at) {
        const qint64 g = m_at / m_k;
        if (m_at == groups.start(g))
            m_group = {c->start, 0, 0, 0, 0};
        m_group.length += c->length;
        if (m_at == groups.middle(g))
            m_group.red = c->red, m_group.green = c->green, m_group.blue = c->blue;
        if (m_at == groups.start(g) + groups.size(g) - 1)
            m_done.push_back(m_group);
    }
    if (!m_done.empty())
        done(static_cast<const CharColour *>(m_done.data()),
             static_cast<const CharColour *>(m_done.data() + m_done.size()));
}

} // namespace huevane
