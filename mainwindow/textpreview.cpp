#include "textpreview.h"

#include "mainwindow/shapedline.h"
#include "mainwindow/stylemarks.h"
#include "platform/drawingsurface.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace huevane {

namespace {

// The layout is made left to right whatever the script, so that each character's
// position is the width of those before it in the text's own order.
constexpr char16_t LeftToRightOverride = 0x202D;

// Half up, as QFontMetrics rounds a measured width to whole pixels.
int RoundWidth(qreal width)
{
    return static_cast<int>(std::floor(width + 0.5));
}

} // namespace

QList<int> CharacterLefts(QStringView text, std::span<const CharColour> characters,
                          const QFont &font, const QPaintDevice *device, int limit)
{
    QList<int> lefts;
    if (characters.empty())
        return lefts;

    const QFontMetricsF metrics(font, device);
    const qsizetype lineStart = characters.front().start;
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(Qt::LeftToRight);

    qsizetype done = 0;
    qsizetype batch = FirstLayoutBatch;
    while (done < qsizetype(characters.size())) {
        const qsizetype upTo = std::min<qsizetype>(characters.size(), done + batch);
        const CharColour &last = characters[upTo - 1];
        QString run;
        run.reserve(last.start + last.length - lineStart + 1);
        run.append(QChar(LeftToRightOverride));
        run.append(text.sliced(lineStart, last.start + last.length - lineStart));
        QTextLayout measured(run, font, device);
        measured.setTextOption(option);
        measured.beginLayout();
        const QTextLine line = measured.createLine();
        measured.endLayout();

        for (qsizetype k = done; k < upTo; ++k) {
            int left = 0;
            if (k > 0) {
                // The run before character k measured alone is the layout up to the
                // start of character k - 1, then that character without anything
                // after it to kern with. A tab has no width of its own: it reaches
                // from where it stands to the next tab stop, as the layout already
                // placed it, and nothing kerns across it.
                const CharColour &previous = characters[k - 1];
                const int position = int(previous.start - lineStart) + 1;
                const QString alone = previous.character(text).toString();
                const qreal start = line.cursorToX(position);
                const qreal end = alone == u'\t' ? line.cursorToX(position + 1)
                                                 : start + metrics.horizontalAdvance(alone);
                left = RoundWidth(end);
            }
            lefts.append(left);
            if (left >= limit)
                return lefts;
        }
        done = upTo;
        batch *= 4;
    }
    return lefts;
}

void PaintCharacters(DrawingSurface &surface, const PreparedText &prepared,
                     const QList<CharColour> &colours, Styles styles)
{
    const QFont font = StyledFont(surface.font(), styles);
    const QFontMetrics metrics(font, &surface);
    const int lineHeight = metrics.height();
    const int ascent = metrics.ascent();
    const int width = surface.width();
    const int height = surface.height();
    const QStringView text = prepared.text();

    SurfacePainter surfacePainter(surface);
    QPainter &painter = surfacePainter.painter();
    painter.setFont(font);

    const CharColour *entry = colours.constData();
    const CharColour *const entriesEnd = entry + colours.size();
    int top = 0;
    for (qsizetype i = 0; i < prepared.lineCount(); ++i) {
        const TextSpan line = prepared.line(i);
        if (top >= height)
            break;
        const CharColour *lineEnd = std::lower_bound(
            entry, entriesEnd, line.end(),
            [](const CharColour &c, qsizetype position) { return c.start < position; });
        const std::span<const CharColour> characters(entry, lineEnd);
        entry = lineEnd;
        const int baseline = top + ascent;
        top += lineHeight;
        if (characters.empty())
            continue;
        if (line.in(text).isRightToLeft()) {
            PaintShapedLine(painter, text, characters, Qt::RightToLeft, baseline, width, styles);
            continue;
        }
        // A line that neither turns nor joins is drawn a character at a time, at the
        // widths of the characters before each; only what can be seen decides. The
        // first few characters are looked at before measuring: where one of them
        // needs shaping, the line is measured only up to it.
        const qsizetype scanned = std::min<qsizetype>(characters.size(), FirstLayoutBatch);
        qsizetype shaped = 0;
        while (shaped < scanned && !NeedsShapedLayout(characters[shaped].character(text)))
            ++shaped;
        const auto measured = characters.first(shaped < scanned ? shaped + 1 : characters.size());
        const QList<int> lefts = CharacterLefts(text, measured, font, &surface, width);
        const qsizetype shown =
            std::find_if(lefts.begin(), lefts.end(), [width](int left) { return left >= width; })
            - lefts.begin();
        const auto rest = [&] {
            const qsizetype from = characters[scanned].start;
            const CharColour &last = characters[shown - 1];
            return text.sliced(from, last.start + last.length - from);
        };
        if (shaped < scanned ? shown > shaped : shown > scanned && NeedsShapedLayout(rest())) {
            PaintShapedLine(painter, text, characters, Qt::LeftToRight, baseline, width, styles);
            continue;
        }
        for (qsizetype k = 0; k < shown; ++k) {
            const CharColour &c = characters[k];
            const QColor colour(c.red, c.green, c.blue);
            const QString character = c.character(text).toString();
            painter.setPen(colour);
            painter.drawText(lefts[k], baseline, character);
            if (styles) {
                const int right = k + 1 < lefts.size()
                    ? lefts[k + 1]
                    : lefts[k] + metrics.horizontalAdvance(character);
                PaintStyleMarks(painter, metrics, styles, colour, lefts[k], right, baseline);
            }
        }
    }
}

std::optional<double> PreviewTextSize(QStringView text)
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double size = c.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(size) || !(size > 0.0))
        return std::nullopt;
    return std::clamp(size, MinimumTextSize, MaximumTextSize);
}

} // namespace huevane
