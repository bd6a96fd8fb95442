#include "shapedline.h"

#include "mainwindow/stylemarks.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace huevane {

namespace {

// The code point at @p i of @p text, moving @p i past it; a lone surrogate
// stands for itself.
char32_t NextCodePoint(QStringView text, qsizetype &i)
{
    const QChar c = text[i++];
    if (c.isHighSurrogate() && i < text.size() && text[i].isLowSurrogate())
        return QChar::surrogateToUcs4(c, text[i++]);
    return c.unicode();
}

// Code points that join the character before or after them into one shape.
bool Joins(char32_t c)
{
    return c == 0x200C || c == 0x200D     // zero-width non-joiner, joiner
        || (c >= 0xFE00 && c <= 0xFE0F)   // variation selectors
        || (c >= 0xE0100 && c <= 0xE01EF) // their supplement
        || c == 0x20E3                    // combining enclosing keycap
        || (c >= 0x1F3FB && c <= 0x1F3FF) // emoji skin tones
        || (c >= 0x1F1E6 && c <= 0x1F1FF) // regional indicators (flags)
        || (c >= 0xE0020 && c <= 0xE007F) // tags
        || (c >= 0x1100 && c <= 0x11FF) || (c >= 0xA960 && c <= 0xA97F)
        || (c >= 0xD7B0 && c <= 0xD7FF); // conjoining Hangul jamo
}

bool DrawnAlone(QChar::Script script)
{
    switch (script) {
    case QChar::Script_Common:
    case QChar::Script_Inherited:
    case QChar::Script_Latin:
    case QChar::Script_Greek:
    case QChar::Script_Cyrillic:
    case QChar::Script_Armenian:
    case QChar::Script_Georgian:
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Bopomofo:
    case QChar::Script_Hangul:
    case QChar::Script_Ethiopic:
    case QChar::Script_Cherokee:
    case QChar::Script_CanadianAboriginal:
    case QChar::Script_Yi:
    case QChar::Script_Braille:
        return true;
    default:
        return false;
    }
}

// Where a line may be cut so that laying out the part before the cut places it
// as the whole line would: before a letter of the paragraph's direction outside
// every embedding and isolate. That letter and everything after it lie beyond
// the part before it, so the bidirectional algorithm resolves that part alike,
// and only shapes next to the cut (out of sight) can change.
class CutFinder
{
public:
    CutFinder(QStringView text, std::span<const CharColour> characters, bool rightToLeft)
        : m_text(text)
        , m_characters(characters)
        , m_rightToLeft(rightToLeft)
    { }

    // The first character at or after @p at that the line may be cut before;
    // the number of characters when there is none.
    qsizetype next(qsizetype at)
    {
        const qsizetype count = qsizetype(m_characters.size());
        for (; m_scanned < count; ++m_scanned) {
            const QStringView character = m_characters[m_scanned].character(m_text);
            if (m_scanned >= at && m_open.empty() && opensParagraphDirection(character))
                return m_scanned;
            for (qsizetype i = 0; i < character.size();)
                follow(QChar::direction(NextCodePoint(character, i)));
        }
        return count;
    }

private:
    bool opensParagraphDirection(QStringView character) const
    {
        qsizetype first = 0;
        const QChar::Direction direction = QChar::direction(NextCodePoint(character, first));
        return m_rightToLeft ? direction == QChar::DirR || direction == QChar::DirAL
                             : direction == QChar::DirL;
    }

    // Keeps the embeddings (false) and isolates (true) open at this point.
    void follow(QChar::Direction direction)
    {
        switch (direction) {
        case QChar::DirLRE:
        case QChar::DirLRO:
        case QChar::DirRLE:
        case QChar::DirRLO:
            m_open.push_back(false);
            break;
        case QChar::DirLRI:
        case QChar::DirRLI:
        case QChar::DirFSI:
            m_open.push_back(true);
            break;
        case QChar::DirPDF:
            if (!m_open.empty() && !m_open.back())
                m_open.pop_back();
            break;
        case QChar::DirPDI:
            if (std::find(m_open.begin(), m_open.end(), true) != m_open.end()) {
                while (!m_open.back())
                    m_open.pop_back();
                m_open.pop_back();
            }
            break;
        default:
            break;
        }
    }

    QStringView m_text;
    std::span<const CharColour> m_characters;
    bool m_rightToLeft;
    qsizetype m_scanned = 0;
    std::vector<bool> m_open;
};

// The columns a character's glyphs take on a line, left to right.
struct Extent
{
    qreal left = 0;
    qreal right = 0;
    bool empty = true;
};

// Splits the extent that @p extents share into equal parts, from the first
// character's side: the right one when @p rightToLeft.
void Share(std::span<Extent> extents, bool rightToLeft)
{
    Extent whole = extents.front();
    for (const Extent &e : extents) {
        whole.left = std::min(whole.left, e.left);
        whole.right = std::max(whole.right, e.right);
    }
    const qsizetype count = qsizetype(extents.size());
    const qreal part = (whole.right - whole.left) / qreal(count);
    for (qsizetype k = 0; k < count; ++k) {
        const qsizetype place = rightToLeft ? count - 1 - k : k;
        extents[k] = {whole.left + part * qreal(place), whole.left + part * qreal(place + 1),
                      false};
    }
}

// The extent of every character of @p characters on @p line, which holds them
// from @p lineStart on: the glyphs made from it, each to its advance. Characters
// made into one glyph (a ligature, a conjunct) share that glyph's extent.
std::vector<Extent> CharacterExtents(const QTextLine &line, std::span<const CharColour> characters,
                                     qsizetype lineStart)
{
    const qsizetype count = qsizetype(characters.size());
    std::vector<Extent> extents(count);
    std::vector<std::pair<quint32, QPointF>> glyphs, before;
    qsizetype shared = 0; // the first character of those that share glyphs with k
    bool rightToLeft = false;
    for (qsizetype k = 0; k < count; ++k) {
        Extent &e = extents[k];
        glyphs.clear();
        const QList<QGlyphRun> runs =
            line.glyphRuns(int(characters[k].start - lineStart), int(characters[k].length));
        for (const QGlyphRun &run : runs) {
            const QList<quint32> indexes = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            const QList<QPointF> advances = run.rawFont().advancesForGlyphIndexes(indexes);
            for (qsizetype g = 0; g < indexes.size(); ++g) {
                const qreal x = positions[g].x();
                e.left = e.empty ? x : std::min(e.left, x);
                e.right = e.empty ? x + advances[g].x() : std::max(e.right, x + advances[g].x());
                e.empty = false;
                glyphs.emplace_back(indexes[g], positions[g]);
            }
        }
        const bool sharesGlyph = std::any_of(glyphs.begin(), glyphs.end(), [&](const auto &glyph) {
            return std::find(before.begin(), before.end(), glyph) != before.end();
        });
        if (!sharesGlyph) {
            if (k - shared > 1)
                Share(std::span(extents).subspan(shared, k - shared), rightToLeft);
            shared = k;
            rightToLeft = !runs.isEmpty() && runs.front().isRightToLeft();
        }
        std::swap(glyphs, before);
    }
    if (count - shared > 1)
        Share(std::span(extents).subspan(shared), rightToLeft);
    return extents;
}

// One glyph of the line and the columns its ink may reach.
struct Ink
{
    qreal left = 0;
    qreal right = 0;
    qsizetype run = 0;
    qsizetype glyph = 0;
};

// Half up, as the preview rounds its other positions.
int Round(qreal x)
{
    return static_cast<int>(std::floor(x + 0.5));
}

// Antialiasing and hinting may put ink a little outside a glyph's outline.
constexpr qreal InkMargin = 2;

std::vector<Ink> LineInk(const QList<QGlyphRun> &runs)
{
    std::vector<Ink> inks;
    for (qsizetype r = 0; r < runs.size(); ++r) {
        const QRawFont font = runs[r].rawFont();
        const QList<quint32> indexes = runs[r].glyphIndexes();
        const QList<QPointF> positions = runs[r].positions();
        for (qsizetype g = 0; g < indexes.size(); ++g) {
            const QRectF outline = font.boundingRect(indexes[g]);
            if (outline.isEmpty())
                continue;
            inks.push_back({positions[g].x() + outline.left() - InkMargin,
                            positions[g].x() + outline.right() + InkMargin, r, g});
        }
    }
    std::sort(inks.begin(), inks.end(), [](const Ink &a, const Ink &b) { return a.left < b.left; });
    return inks;
}

} // namespace

bool NeedsShapedLayout(QStringView text)
{
    for (qsizetype i = 0; i < text.size();) {
        const char32_t c = NextCodePoint(text, i);
        if (c < 0x300) // Latin, its signs and digits: nothing here joins or turns
            continue;
        switch (QChar::direction(c)) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirAN:
        case QChar::DirLRE:
        case QChar::DirLRO:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirPDF:
        case QChar::DirLRI:
        case QChar::DirRLI:
        case QChar::DirFSI:
        case QChar::DirPDI:
            return true;
        default:
            break;
        }
        if (Joins(c) || !DrawnAlone(QChar::script(c)))
            return true;
    }
    return false;
}

void PaintShapedLine(QPainter &painter, QStringView text, std::span<const CharColour> characters,
                     Qt::LayoutDirection direction, int baseline, int width, Styles styles)
{
    if (characters.empty())
        return;
    QFont font = painter.font();
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() & ~QFont::PreferNoShaping));
    QPaintDevice *device = painter.device();
    const bool rightToLeft = direction == Qt::RightToLeft;
    const qsizetype lineStart = characters.front().start;
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(direction);
    // Spaces at the end count towards the width, so that a right-to-left line's
    // start lies at the right edge with or without them.
    option.setFlags(QTextOption::IncludeTrailingSpaces);

    // Laid out a little wider than the surface, so that no shape that a cut
    // changes can be seen.
    const qreal wanted = width + 4 * QFontMetrics(font, device).height();
    CutFinder cuts(text, characters, rightToLeft);
    // Up to the character the line is cut at, which ends the part laid out: so
    // that no space at the part's end is taken for a space at the end of a line.
    qsizetype count = cuts.next(std::min<qsizetype>(FirstLayoutBatch, characters.size())) + 1;
    std::optional<QTextLayout> layout;
    QTextLine line;
    for (;;) {
        count = std::min<qsizetype>(count, characters.size());
        const CharColour &last = characters[count - 1];
        layout.emplace(text.sliced(lineStart, last.start + last.length - lineStart).toString(),
                       font, device);
        layout->setTextOption(option);
        layout->beginLayout();
        line = layout->createLine();
        layout->endLayout();
        if (count == qsizetype(characters.size()) || line.horizontalAdvance() >= wanted)
            break;
        count = cuts.next(count * 4) + 1;
    }

    const auto laidOut = characters.first(count);
    // A right-to-left line is placed by the advance of its glyphs (its natural
    // width holds the overhang of the glyph at its end besides), so that each glyph
    // lies where it would were the whole line laid out.
    const qreal shift = rightToLeft ? width - line.horizontalAdvance() : 0;
    const std::vector<Extent> extents = CharacterExtents(line, laidOut, lineStart);
    // Every column goes to one character: from its left edge to the next
    // character's; the ink beyond the ends of the line to the character there.
    std::vector<qsizetype> order;
    for (qsizetype k = 0; k < count; ++k) {
        if (!extents[k].empty)
            order.push_back(k);
    }
    if (order.empty())
        return;
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return std::pair(extents[a].left, extents[a].right)
            < std::pair(extents[b].left, extents[b].right);
    });
    std::vector<std::pair<int, int>> columns(count, {0, 0});
    for (qsizetype i = 0; i < qsizetype(order.size()); ++i) {
        columns[order[i]] = {
            i == 0 ? std::numeric_limits<int>::min() : Round(shift + extents[order[i]].left),
            i + 1 == qsizetype(order.size()) ? std::numeric_limits<int>::max()
                                             : Round(shift + extents[order[i + 1]].left)};
    }

    const QList<QGlyphRun> runs = line.glyphRuns();
    const std::vector<Ink> inks = LineInk(runs);
    qreal widest = 0;
    for (const Ink &ink : inks)
        widest = std::max(widest, ink.right - ink.left);
    // From a whole pixel down, as Qt draws a layout, so that glyphs placed a
    // fraction of a pixel up or down round as they do there.
    const QPointF origin(shift, baseline - Round(line.ascent()));
    const int height = device->height();
    const QFontMetrics metrics(painter.font(), device);
    painter.save();
    std::vector<std::pair<qsizetype, qsizetype>> drawn; // run, glyph
    for (qsizetype k = 0; k < count; ++k) {
        const int left = std::max(columns[k].first, 0);
        const int right = std::min(columns[k].second, width);
        if (left >= right)
            continue;
        const CharColour &c = laidOut[k];
        const QColor colour(c.red, c.green, c.blue);
        painter.setClipRect(QRect(left, 0, right - left, height));
        // Marks reach from one character to the next, but at the line's ends only
        // as far as the character's advance.
        if (styles) {
            const int from = columns[k].first == std::numeric_limits<int>::min()
                ? Round(shift + extents[k].left)
                : columns[k].first;
            const int to = columns[k].second == std::numeric_limits<int>::max()
                ? Round(shift + extents[k].right)
                : columns[k].second;
            PaintStyleMarks(painter, metrics, styles, colour, from, to, baseline);
        }
        drawn.clear();
        auto ink = std::partition_point(inks.begin(), inks.end(), [&](const Ink &i) {
            return shift + i.left + widest <= left;
        });
        for (; ink != inks.end() && shift + ink->left < right; ++ink) {
            if (shift + ink->right > left)
                drawn.emplace_back(ink->run, ink->glyph);
        }
        if (drawn.empty())
            continue;
        std::sort(drawn.begin(), drawn.end());
        painter.setPen(colour);
        for (auto from = drawn.begin(); from != drawn.end();) {
            const qsizetype run = from->first;
            const QList<quint32> indexes = runs[run].glyphIndexes();
            const QList<QPointF> positions = runs[run].positions();
            QGlyphRun piece = runs[run];
            QList<quint32> pieceIndexes;
            QList<QPointF> piecePositions;
            for (; from != drawn.end() && from->first == run; ++from) {
                pieceIndexes.append(indexes[from->second]);
                piecePositions.append(positions[from->second]);
            }
            piece.setGlyphIndexes(pieceIndexes);
            piece.setPositions(piecePositions);
            painter.drawGlyphRun(origin, piece);
        }
    }
    painter.restore();
}

} // namespace huevane
