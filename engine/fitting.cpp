#include "fitting.h"

#include "colourgroups.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

// How the length of an output is found without writing it. The output is its
// words (head, line starts and ends, tail), its text, escaped, and the codes of
// its runs. Only the runs depend on k: on each line, a run starts at every group
// whose middle character's key differs from the group before's, and costs its
// codes (and a guard before a comma, in irc). So the rest is measured once, in a
// pass over the text alone, and every k is left with the sum of its runs' costs.
//
// Length is not monotone in k: on "xyxyxy" in two colours, k = 2 gives one run
// and k = 3 two, and where a gradient's colour changes every few characters,
// groups one character longer may meet one more change. So no search that halves
// a range is right; every k up to a bound is measured instead, many at once in
// one pass over the colours. The bound is the smallest k whose output fits even
// if every group started a run at the dearest codes: no larger k is needed. A k
// is dropped as soon as its runs so far and the rest of the output pass the
// limit; the k well below the one that fits are dropped early, each after about
// as many groups as the one that fits has in all, so the pass costs about a
// sample a character, and each k up to the bound that stays, one a group. Where
// a gradient keeps one colour for a while, a k skips its groups up to the next
// change of colour.
//
// The k up to a batch (4,096) are measured as the colours stream by, each keeping
// its own state; larger ones, which only a limit far below the text's own length
// needs, one after the other from the words of the longer lines, held.

namespace huevane {

namespace {

constexpr qint64 Unlimited = std::numeric_limits<qint64>::max();
constexpr quint32 KeyMask = 0xFFFFFF;
constexpr quint32 NoKey = 0xFFFFFFFF; // no run yet: never a key
constexpr qsizetype TextChunk = 4096;

// A piece of words, measured. Where lines are measured, a line feed ends the line
// it is in and starts the next; a piece that holds none only lengthens its line.
struct Piece
{
    qint64 first = 0;   // up to its first line feed, or all of it
    qint64 last = 0;    // after its last line feed
    qint64 longest = 0; // of the lines between its line feeds
    bool breaks = false;
};

Piece Measured(LengthMeasure measure, const char16_t *first, const char16_t *last)
{
    Piece piece;
    const char16_t *feed = measure.perLine ? std::find(first, last, u'\n') : last;
    piece.first = LengthIn(measure.unit, first, feed);
    piece.breaks = feed != last;
    while (feed != last) {
        const char16_t *from = feed + 1;
        feed = std::find(from, last, u'\n');
        const qint64 length = LengthIn(measure.unit, from, feed);
        if (feed == last)
            piece.last = length;
        else
            piece.longest = std::max(piece.longest, length);
    }
    return piece;
}

qint64 LongestLine(const PreparedText &text)
{
    qint64 longest = 0;
    for (qsizetype i = 0; i < text.lineCount(); ++i)
        longest = std::max<qint64>(longest, text.lineCharacters(i));
    return longest;
}

// The words of an output around its runs, and its text, measured line by line,
// each line once and in order.
class Frame
{
public:
    Frame(const PreparedText &text, const OutputOptions &options, LengthMeasure measure)
        : m_text(text)
        , m_measure(measure)
        , m_writer(options)
        , m_scratch(size_t(std::max(m_writer.maxSize(0, TextChunk), m_writer.maxFinishSize())))
    {
        // Every run's cost holds the separator before it, but the output's first
        // thing never has one: when that is a run, its line's text makes up for it.
        if (!options.ownTemplate && text.lineCharacters(0) > 0) {
            const Words separator = RowOf(options.format).separator;
            m_firstRun =
                LengthIn(measure.unit, separator.data(), separator.data() + separator.size());
        }
    }

    // What comes before the runs of line @p line.
    Piece before(qsizetype line)
    {
        return measured(m_writer.openLine(m_scratch.data(), m_text.lineCharacters(line) > 0));
    }

    // The characters of line @p line, escaped.
    qint64 text(qsizetype line)
    {
        qint64 length = line == 0 ? -m_firstRun : 0;
        for (QStringView units = m_text.lineText(line); !units.isEmpty();) {
            qsizetype n = std::min(units.size(), TextChunk);
            if (n < units.size() && units[n - 1].isHighSurrogate())
                --n; // a pair measures as one
            const char16_t *end = m_writer.writeText(m_scratch.data(), units.first(n));
            length += LengthIn(m_measure.unit, m_scratch.data(), end);
            units = units.sliced(n);
        }
        return length;
    }

    // What comes after the runs of the line before.
    Piece after() { return measured(m_writer.endLine(m_scratch.data())); }

    // What comes after the last line.
    Piece tail() { return measured(m_writer.finish(m_scratch.data())); }

private:
    Piece measured(const char16_t *end) const { return Measured(m_measure, m_scratch.data(), end); }

    const PreparedText &m_text;
    LengthMeasure m_measure;
    ColouredTextWriter m_writer;
    std::vector<char16_t> m_scratch;
    qint64 m_firstRun = 0;
};

// The lines of the output: the words between the runs end one line and start the
// next at their line feeds; the runs of a text line lie in one output line, with
// those of the text lines around it that no line feed parts from it. Measuring
// the whole output, it is all one line.
class Segments
{
public:
    // Adds @p piece to the open line; for a line it ends, calls @p close(length of
    // its words and text).
    template <typename Close>
    void add(const Piece &piece, Close &&close)
    {
        m_fixed += piece.first;
        if (!piece.breaks)
            return;
        close(m_fixed);
        m_longest = std::max(m_longest, piece.longest);
        m_fixed = piece.last;
    }

    void add(qint64 length) { m_fixed += length; }

    // The words and text of the open line so far.
    qint64 fixed() const { return m_fixed; }

    // The longest line of words alone, within a piece.
    qint64 longest() const { return m_longest; }

private:
    qint64 m_fixed = 0;
    qint64 m_longest = 0;
};

// What each character's colour costs when a run starts there. A character's word
// is its run key with its run's cost in the top byte (255: look it up), so that
// words are equal where keys are.
class RunCosts
{
public:
    RunCosts(const OutputOptions &options, LengthUnit unit)
        : m_writer(options)
        , m_unit(unit)
        , m_scratch(size_t(m_writer.maxSize(1, 0)))
    {
        m_costs.fill(-1);
        if (!options.ownTemplate) {
            const FormatRow &row = RowOf(options.format);
            m_separator = measured(row.separator);
            m_guardedUnit = row.guardedUnit;
            m_guard = measured(row.guard);
            m_byKey = row.palette != Palette::TrueColour;
        }
        // Codes are longest for white, whose decimals all have three digits.
        m_most = std::max(cost(word(0xFFFFFF)), cost(word(0))) + m_guard;
    }

    quint32 word(quint32 rgb)
    {
        if (rgb != m_lastRgb) {
            m_lastRgb = rgb;
            m_lastWord = wordOf(rgb);
        }
        return m_lastWord;
    }

    qint64 cost(quint32 word) const
    {
        return word >> 24 < 255 ? word >> 24 : m_costs[index(word & KeyMask)];
    }

    bool guards(const CharColour &c, const QString &text) const
    {
        return m_guardedUnit != 0 && text[c.start] == QChar(m_guardedUnit);
    }

    qint64 guard() const { return m_guard; }

    // The most a run costs, guard included.
    qint64 most() const { return m_most; }

private:
    // A palette's codes differ by entry; those of 24-bit colours (their own keys)
    // only by how many digits their decimals have.
    size_t index(quint32 key) const
    {
        if (m_byKey)
            return key;
        const auto digits = [&](int shift) {
            const quint32 v = key >> shift & 255;
            return v >= 100 ? 2 : v >= 10 ? 1 : 0;
        };
        return size_t(9 * digits(16) + 3 * digits(8) + digits(0));
    }

    quint32 wordOf(quint32 rgb)
    {
        const quint32 key = m_writer.runKey(rgb);
        qint64 &codes = m_costs[index(key)];
        if (codes < 0) {
            const char16_t *end = m_writer.writeRunCodes(m_scratch.data(), rgb);
            codes = LengthIn(m_unit, m_scratch.data(), end) + m_separator;
        }
        return key | quint32(std::min<qint64>(codes, 255)) << 24;
    }

    qint64 measured(Words words) const
    {
        return LengthIn(m_unit, words.data(), words.data() + words.size());
    }

    ColouredTextWriter m_writer;
    LengthUnit m_unit;
    std::vector<char16_t> m_scratch;
    qint64 m_separator = 0;
    char16_t m_guardedUnit = 0;
    qint64 m_guard = 0;
    bool m_byKey = false;            // costs by palette entry, not by digits
    std::array<qint64, 256> m_costs; // of the codes, by key or digits; -1 not known yet
    qint64 m_most = 0;
    quint32 m_lastRgb = NoKey;
    quint32 m_lastWord = 0;
};

// What a search asks: the lengths of k in [from, to], the smallest that fits
// within the limit, or the shortest that does.
struct Question
{
    qint64 limit;
    qint64 from;
    qint64 to;
    bool smallest; // the smallest k that fits, not the shortest output
};

struct Answer
{
    bool found = false;
    qint64 k = 0;
    qint64 length = 0;

    // Takes k's @p length in when it answers @p question better; true when the
    // search is over.
    bool offer(const Question &question, qint64 candidate, qint64 length)
    {
        if (length > question.limit || (found && length >= this->length))
            return false;
        *this = {true, candidate, length};
        return question.smallest;
    }
};

// The words of a line's characters, where a k reads them.
struct LineWords
{
    const quint32 *words;  // of the characters from the offset on
    qint64 offset;         // the character of the first word
    const qint64 *changes; // for each, the next character with another key; null: none known
    const quint64 *guards; // a bit for each character of the line that takes a guard
};

// Where one k is on a line: its groups, the next of them to read, and the key of
// the run it is in.
struct GroupWalk
{
    ColourGroups groups;
    qint64 k;
    qint64 full; // groups of k characters
    qint64 group = 0;
    qint64 start = 0; // its first character
    qint64 at;        // its middle
    quint32 previous = NoKey;

    GroupWalk(qint64 characters, qint64 k)
        : groups(characters, qint32(k))
        , k(k)
        , full(characters / k)
        , at(groups.middle(0))
    { }

    void next()
    {
        ++group;
        start += k;
        at = group < full ? at + k : group < groups.count() ? groups.middle(group) : Unlimited;
    }

    void moveTo(qint64 g)
    {
        group = g;
        start = groups.start(g);
        at = g < groups.count() ? groups.middle(g) : Unlimited;
    }
};

// A pass over the colours: the lines' words, text and runs in their segments. For
// each character, the word of its colour; for each line, what it costs as one
// group, as it does for every k from its length on.
class Walk : public ColourFeed
{
public:
    Walk(const PreparedText &text, const OutputOptions &options, LengthMeasure measure,
         RunCosts &costs)
        : m_text(text)
        , m_costs(costs)
        , m_frame(text, options, measure)
        , m_merge(options.merge
                  || (!options.ownTemplate && RowOf(options.format).merging == Merging::Always))
    { }

    void take(const CharColour *first, const CharColour *last) final
    {
        if (!m_open)
            open();
        const qint64 n = last - first;
        m_words.resize(size_t(n));
        for (qint64 i = 0; i < n; ++i) {
            m_words[size_t(i)] = m_costs.word(first[i].rgb());
            if (m_costs.guards(first[i], m_text.text()))
                m_guards[size_t((m_at + i) >> 6)] |= quint64(1) << ((m_at + i) & 63);
        }
        const qint64 middle = (m_length - 1) / 2;
        if (middle >= m_at && middle < m_at + n)
            m_middleWord = m_words[size_t(middle - m_at)];
        took(n);
        m_at += n;
    }

    void endLine() final
    {
        if (!m_open)
            open();
        if (m_length > 0) {
            const qint64 cost = m_costs.cost(m_middleWord);
            lineDone(m_merge ? cost + (m_guards[0] & 1 ? m_costs.guard() : 0) : m_length * cost);
        }
        m_segments.add(m_frame.after(), [this](qint64 fixed) { closed(fixed); });
        ++m_line;
        m_open = false;
    }

    // Ends the pass.
    void finish()
    {
        m_segments.add(m_frame.tail(), [this](qint64 fixed) { closed(fixed); });
        closed(m_segments.fixed());
    }

protected:
    // The cost of the runs that @p walk starts before the character @p end, or
    // the first past @p budget.
    qint64 runs(GroupWalk &walk, qint64 end, const LineWords &line, qint64 budget = Unlimited) const
    {
        qint64 cost = 0;
        while (walk.at < end && cost <= budget) {
            const qint64 at = walk.at - line.offset;
            const quint32 word = line.words[at];
            if (!m_merge) {
                cost += walk.groups.size(walk.group) * m_costs.cost(word);
            } else if ((word & KeyMask) != walk.previous) {
                cost += m_costs.cost(word);
                if (m_costs.guard() && (line.guards[walk.start >> 6] >> (walk.start & 63)) & 1)
                    cost += m_costs.guard();
                walk.previous = word & KeyMask;
            } else if (line.changes) {
                // Its neighbours up to the next change of key share it: no group
                // whose middle is among them starts a run.
                walk.moveTo(walk.groups.firstMiddleFrom(line.changes[at]));
                continue;
            }
            walk.next();
        }
        return cost;
    }

    virtual void opened() = 0;
    virtual void took(qint64 n) = 0;
    virtual void lineDone(qint64 oneGroup) = 0;
    virtual void closed(qint64 fixed) = 0;

    const PreparedText &m_text;
    RunCosts &m_costs;
    Frame m_frame;
    Segments m_segments;
    bool m_merge;
    qint64 m_length = 0;           // characters of the current line
    qint64 m_at = 0;               // of them taken
    std::vector<quint32> m_words;  // of the batch
    std::vector<quint64> m_guards; // a bit for each character of the line that takes a guard

private:
    void open()
    {
        m_open = true;
        m_length = m_text.lineCharacters(m_line);
        m_at = 0;
        m_guards.assign(size_t((m_length >> 6) + 1), 0);
        m_segments.add(m_frame.before(m_line), [this](qint64 fixed) { closed(fixed); });
        m_segments.add(m_frame.text(m_line));
        opened();
    }

    qsizetype m_line = 0;
    bool m_open = false;
    quint32 m_middleWord = 0;
};

// Every k of a range measured in one pass, holding no more than a batch of the
// colours: for k up to a batch, as each has a group or more in every batch.
class Streamed final : public Walk
{
public:
    Streamed(const PreparedText &text, const OutputOptions &options, LengthMeasure measure,
             RunCosts &costs, const Question &question, qint64 wholeFixed)
        : Walk(text, options, measure, costs)
        , m_limit(question.limit)
        , m_wholeFixed(measure.perLine ? -1 : wholeFixed)
        , m_from(question.from)
        , m_longestFrom(size_t(question.to - question.from + 2), 0)
    {
        for (qint64 k = question.from; k <= question.to; ++k)
            m_candidates.push_back({k, GroupWalk(k + 1, k)});
    }

    // After the pass: offers each k still standing to @p answer, in order; true
    // when that ends the search.
    bool offer(const Question &question, Answer &answer) const
    {
        qint64 below = m_segments.longest(); // the longest line of every k up to the next
        size_t i = 0;
        for (const Candidate &c : m_candidates) {
            for (; i <= size_t(c.k - m_from); ++i)
                below = std::max(below, m_longestFrom[i]);
            if (c.alive && answer.offer(question, c.k, std::max(c.longest, below)))
                return true;
        }
        return false;
    }

private:
    struct Candidate
    {
        qint64 k;
        GroupWalk walk;
        bool alive = true;
        qint64 runs = 0;    // the cost of its runs in the open segment
        qint64 longest = 0; // of its closed segments that have a line longer than k
    };

    void opened() override
    {
        for (Candidate &c : m_candidates) {
            if (c.k >= m_length)
                break;
            c.walk = GroupWalk(m_length, c.k);
        }
    }

    void took(qint64 n) override
    {
        const qint64 end = m_at + n;
        if (m_merge) {
            m_changes.resize(size_t(n));
            for (qint64 i = n - 1; i >= 0; --i) {
                const bool same = i + 1 < n
                    && (m_words[size_t(i + 1)] & KeyMask) == (m_words[size_t(i)] & KeyMask);
                m_changes[size_t(i)] = same ? m_changes[size_t(i + 1)] : m_at + i + 1;
            }
        }
        const LineWords line {m_words.data(), m_at, m_merge ? m_changes.data() : nullptr,
                              m_guards.data()};
        // What the output takes besides these runs, at least.
        const qint64 fixed = m_wholeFixed >= 0 ? m_wholeFixed : m_segments.fixed();
        for (Candidate &c : m_candidates) {
            if (c.k >= m_length)
                break;
            if (!c.alive)
                continue;
            c.runs += runs(c.walk, end, line);
            if (fixed + c.runs > m_limit)
                drop(c);
        }
    }

    void lineDone(qint64 oneGroup) override
    {
        m_oneGroup.push_back({m_length, oneGroup});
        m_segmentLongest = std::max(m_segmentLongest, m_length);
        if (2 * m_dropped > qint64(m_candidates.size())) {
            std::erase_if(m_candidates, [](const Candidate &c) { return !c.alive; });
            m_dropped = 0;
        }
    }

    // A line of the output ends: for each k, its words and text, the runs of its
    // lines longer than k, and one group for each of the others.
    void closed(qint64 fixed) override
    {
        std::sort(m_oneGroup.begin(), m_oneGroup.end());
        qint64 length = fixed;
        size_t line = 0;
        for (Candidate &c : m_candidates) {
            if (c.k >= m_segmentLongest)
                break;
            for (; line < m_oneGroup.size() && m_oneGroup[line].first <= c.k; ++line)
                length += m_oneGroup[line].second;
            c.longest = std::max(c.longest, length + c.runs);
            c.runs = 0;
            if (c.alive && c.longest > m_limit)
                drop(c);
        }
        for (; line < m_oneGroup.size(); ++line)
            length += m_oneGroup[line].second;
        // Every k from the segment's longest line on has one group a line in it.
        const size_t from = size_t(
            std::clamp<qint64>(m_segmentLongest - m_from, 0, qint64(m_longestFrom.size()) - 1));
        m_longestFrom[from] = std::max(m_longestFrom[from], length);
        for (auto c = m_candidates.rbegin(); length > m_limit && c != m_candidates.rend(); ++c) {
            if (c->k < m_segmentLongest)
                break;
            if (c->alive)
                drop(*c);
        }
        m_oneGroup.clear();
        m_segmentLongest = 0;
    }

    void drop(Candidate &c)
    {
        c.alive = false;
        ++m_dropped;
    }

    qint64 m_limit;
    qint64 m_wholeFixed; // the words and text of the whole output, or -1 measuring lines
    qint64 m_from;
    std::vector<Candidate> m_candidates; // by k
    qint64 m_dropped = 0;
    std::vector<qint64> m_changes; // for each character of the batch, the next with another key
    std::vector<std::pair<qint64, qint64>> m_oneGroup; // the open segment's lines: characters, cost
    qint64 m_segmentLongest = 0;                       // characters of its longest line
    std::vector<qint64> m_longestFrom; // the longest line of every k from from + index on
};

// Every k of a range measured one after the other, from the words of the lines
// that have more than one group for some of them, held after a pass.
class Held final : public Walk
{
public:
    Held(const PreparedText &text, const OutputOptions &options, LengthMeasure measure,
         RunCosts &costs, const Question &question)
        : Walk(text, options, measure, costs)
        , m_from(question.from)
    {
        qint64 held = 0;
        for (qsizetype i = 0; i < text.lineCount(); ++i)
            held += text.lineCharacters(i) > m_from ? text.lineCharacters(i) : 0;
        m_heldWords.reserve(size_t(held));
    }

    // After the pass: offers every k of @p question to @p answer, in order.
    void offer(const Question &question, Answer &answer) const
    {
        for (qint64 k = question.from; k <= question.to; ++k) {
            // What the k must stay within to count: the limit, or below the best.
            const qint64 within = question.smallest || !answer.found
                ? question.limit
                : std::min(question.limit, answer.length - 1);
            qint64 length = m_longest;
            for (const Segment &segment : m_held) {
                if (length > within)
                    break;
                qint64 sum = segment.fixed;
                for (size_t i = segment.first; i < segment.last && sum <= within; ++i) {
                    const Line &line = m_lines[i];
                    if (k >= line.characters) {
                        sum += line.oneGroup;
                        continue;
                    }
                    GroupWalk walk(line.characters, k);
                    sum += runs(walk, Unlimited,
                                {m_heldWords.data() + line.words, 0, nullptr,
                                 m_guardBits.data() + line.guards},
                                within - sum);
                }
                length = std::max(length, sum);
            }
            if (length <= within && answer.offer(question, k, length))
                return;
        }
    }

private:
    struct Line
    {
        qint64 characters;
        qint64 oneGroup;
        size_t words;  // its first in m_words
        size_t guards; // its first word of bits in m_guardBits
    };
    struct Segment
    {
        qint64 fixed;       // its words, text and the lines of one group for every k
        size_t first, last; // its held lines
    };

    bool holding() const { return m_length > m_from; }

    void opened() override
    {
        if (holding())
            m_lines.push_back({m_length, 0, m_heldWords.size(), 0});
    }

    void took(qint64 n) override
    {
        if (holding())
            m_heldWords.insert(m_heldWords.end(), m_words.begin(), m_words.begin() + n);
    }

    void lineDone(qint64 oneGroup) override
    {
        if (!holding()) {
            m_oneGroups += oneGroup;
            return;
        }
        Line &line = m_lines.back();
        line.oneGroup = oneGroup;
        line.guards = m_guardBits.size();
        m_guardBits.insert(m_guardBits.end(), m_guards.begin(), m_guards.end());
    }

    void closed(qint64 fixed) override
    {
        if (m_first == m_lines.size())
            m_longest = std::max({m_longest, fixed + m_oneGroups, m_segments.longest()});
        else
            m_held.push_back({fixed + m_oneGroups, m_first, m_lines.size()});
        m_first = m_lines.size();
        m_oneGroups = 0;
    }

    qint64 m_from;
    std::vector<quint32> m_heldWords;
    std::vector<quint64> m_guardBits;
    std::vector<Line> m_lines;
    std::vector<Segment> m_held; // the segments with held lines
    qint64 m_longest = 0;        // of the others, the same for every k
    size_t m_first = 0;          // the open segment's first held line
    qint64 m_oneGroups = 0;      // the cost of its lines that are not held
};

// The output's words and text: the least any k can take, and the smallest k that
// fits @p limit for sure, the one whose every group could start a run at the
// dearest codes and still fit (0 when none is sure).
struct Outline
{
    qint64 wholeFixed = 0;
    qint64 least = 0; // the whole output's words and text, or its longest line's
    qint64 sureFit = 0;
};

Outline OutlineOf(const PreparedText &text, const OutputOptions &options, LengthMeasure measure,
                  qint64 mostCost, qint64 limit)
{
    Outline outline;
    Frame frame(text, options, measure);
    Segments segments;
    qsizetype first = 0; // the open segment's first line
    bool sure = true;
    const auto groups = [&](qsizetype end, qint64 k) {
        qint64 count = 0;
        for (qsizetype i = first; i < end; ++i)
            count += (text.lineCharacters(i) + k - 1) / k;
        return count;
    };
    const auto close = [&](qsizetype end, qint64 fixed) {
        outline.least = std::max(outline.least, fixed);
        qint64 longest = 1;
        for (qsizetype i = first; i < end; ++i)
            longest = std::max<qint64>(longest, text.lineCharacters(i));
        const auto fits = [&](qint64 k) { return fixed + mostCost * groups(end, k) <= limit; };
        if (!fits(longest)) {
            sure = false;
        } else {
            qint64 low = 1, high = longest; // the first that fits lies in [low, high]
            while (low < high) {
                const qint64 k = low + (high - low) / 2;
                fits(k) ? high = k : low = k + 1;
            }
            outline.sureFit = std::max(outline.sureFit, low);
        }
        first = end;
    };
    for (qsizetype i = 0; i < text.lineCount(); ++i) {
        segments.add(frame.before(i), [&](qint64 fixed) { close(i, fixed); });
        segments.add(frame.text(i));
        segments.add(frame.after(), [&](qint64 fixed) { close(i + 1, fixed); });
    }
    segments.add(frame.tail(), [&](qint64 fixed) { close(text.lineCount(), fixed); });
    outline.wholeFixed = segments.fixed();
    close(text.lineCount(), segments.fixed());
    outline.least = std::max(outline.least, segments.longest());
    if (!sure || outline.least > limit)
        outline.sureFit = 0;
    return outline;
}

Answer Search(const PreparedText &text, const OutputOptions &options, LengthMeasure measure,
              const ColourPasses &passes, Question question, qint64 streamedUpTo)
{
    RunCosts costs(options, measure.unit);
    const Outline outline = OutlineOf(text, options, measure, costs.most(), question.limit);
    if (outline.least > question.limit)
        return {};
    if (question.smallest && outline.sureFit > 0)
        question.to = std::clamp(outline.sureFit, question.from, question.to);

    Answer answer;
    if (question.from <= streamedUpTo) {
        Question streamed = question;
        streamed.to = std::min(question.to, streamedUpTo);
        Streamed pass(text, options, measure, costs, streamed, outline.wholeFixed);
        passes(pass);
        pass.finish();
        if (pass.offer(question, answer))
            return answer;
        question.from = streamedUpTo + 1;
    }
    if (question.from <= question.to) {
        Held pass(text, options, measure, costs, question);
        passes(pass);
        pass.finish();
        pass.offer(question, answer);
    }
    return answer;
}

} // namespace

const FitTarget *FindFitTarget(QStringView name)
{
    for (const FitTarget &target : FitTargets) {
        if (name == QStringView(target.name))
            return &target;
    }
    return nullptr;
}

ColourPasses PassesOver(const PreparedText &text, const QList<CharColour> &colours)
{
    return [&text, &colours](ColourFeed &feed) {
        const CharColour *entry = colours.constData();
        for (qsizetype i = 0; i < text.lineCount(); ++i) {
            const qsizetype characters = text.lineCharacters(i);
            if (characters > 0)
                feed.take(entry, entry + characters);
            entry += characters;
            feed.endLine();
        }
    };
}

bool CanMeasure(const OutputOptions &options, LengthMeasure measure)
{
    return !measure.perLine || !options.ownTemplate || !options.ownTemplate->run.contains(u'\n');
}

qint64 OutputLength(const PreparedText &text, const OutputOptions &options, LengthMeasure measure,
                    qint32 k, const ColourPasses &passes)
{
    if (IsBlankText(text.text()))
        return 0;
    const qint64 groups = std::clamp<qint64>(k, 1, std::max<qint64>(LongestLine(text), 1));
    return Search(text, options, measure, passes, {Unlimited, groups, groups, true}, groups).length;
}

qint64 OutputLength(const PreparedText &text, const QList<CharColour> &colours,
                    const OutputOptions &options, LengthMeasure measure, qint32 k)
{
    if (colours.size() != text.totalChars())
        return 0;
    return OutputLength(text, options, measure, k, PassesOver(text, colours));
}

Fit FindFit(const PreparedText &text, const OutputOptions &options, const LengthLimit &limit,
            const ColourPasses &passes, qint32 streamedUpTo)
{
    if (IsBlankText(text.text()))
        return {true, 1, 0};
    OutputOptions merged = options;
    merged.merge = true;
    const qint64 longest = std::max<qint64>(LongestLine(text), 1);
    const LengthMeasure measure = limit.measure;
    const Answer fit =
        Search(text, merged, measure, passes, {limit.length, 1, longest, true}, streamedUpTo);
    if (fit.found)
        return {true, qint32(fit.k), fit.length};
    // None fits: the shortest output is one colour a line, unless another is shorter still.
    const qint64 oneColour =
        Search(text, merged, measure, passes, {Unlimited, longest, longest, true}, streamedUpTo)
            .length;
    const Answer shorter =
        Search(text, merged, measure, passes, {oneColour - 1, 1, longest, false}, streamedUpTo);
    if (shorter.found)
        return {false, qint32(shorter.k), shorter.length};
    return {false, qint32(longest), oneColour};
}

Fit FindFit(const PreparedText &text, const QList<CharColour> &colours,
            const OutputOptions &options, const LengthLimit &limit)
{
    if (colours.size() != text.totalChars())
        return {true, 1, 0};
    return FindFit(text, options, limit, PassesOver(text, colours));
}

} // namespace huevane
