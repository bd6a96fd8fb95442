#include "shownline.h"

#include "textview/textsteps.h"
#include "textview/wrappedlines.h"

#include <QFontMetricsF>

namespace huevane {

namespace {

// True when the code unit @p c is a strong letter of either direction; a
// surrogate is taken for none.
bool IsStrong(QChar c)
{
    const QChar::Direction direction = c.direction();
    return !c.isSurrogate()
        && (direction == QChar::DirL || direction == QChar::DirR || direction == QChar::DirAL);
}

// True when the letters on either side of @p at join (Arabic's cursive
// joining), marks between them aside.
bool JoinsAcross(QStringView text, qsizetype at)
{
    qsizetype before = at, after = at;
    while (before > 0 && text[before - 1].joiningType() == QChar::Joining_Transparent)
        --before;
    while (after < text.size() && text[after].joiningType() == QChar::Joining_Transparent)
        ++after;
    if (before == 0 || after == text.size())
        return false;
    const QChar::JoiningType left = text[before - 1].joiningType();
    const QChar::JoiningType right = text[after].joiningType();
    return (left == QChar::Joining_Dual || left == QChar::Joining_Left
            || left == QChar::Joining_Causing)
        && (right == QChar::Joining_Dual || right == QChar::Joining_Right
            || right == QChar::Joining_Causing);
}

// A line of context, laid out far above (@p side -1) or below (1) what is drawn.
void OutOfSight(QTextLine line, int side)
{
    line.setLineWidth(1e5);
    line.setPosition(QPointF(0, side * 1e6));
}

} // namespace

int ShownLine::toLayout(qsizetype position) const
{
    const qsizetype pre = preeditAt >= 0 && position >= preeditAt ? preeditLength : 0;
    return int(position - start + offset + pre);
}

qsizetype ShownLine::toText(int at) const
{
    const qsizetype position = start + at - offset;
    if (preeditAt >= 0 && position > preeditAt)
        return std::max(preeditAt, position - preeditLength);
    return position;
}

void ShownLine::layOut(const WrappedLines &lines, qsizetype line, const QFont &font, qreal width,
                       qreal left, qreal top)
{
    const QString &t = lines.text();
    start = lines.start(line);
    const qsizetype end = lines.end(line);
    qsizetype before = start;
    while (before > start - ContextUnits && InParagraph(t, before - 1)
           && !(before < start && IsStrong(t[before])))
        --before;
    if (before < start && t[before].isLowSurrogate() && InParagraph(t, before - 1))
        --before;
    qsizetype after = end;
    while (after < end + ContextUnits && InParagraph(t, after)
           && !(after > end && IsStrong(t[after - 1])))
        ++after;
    if (after > end && t[after - 1].isHighSurrogate() && InParagraph(t, after))
        ++after;
    // Letters joined across a line's end keep their joined forms.
    const QChar separator(QChar::LineSeparator);
    const QString joinedStart = JoinsAcross(t, start) ? QStringLiteral("\u200d") : QString();
    const QString joinedEnd = JoinsAcross(t, end) ? QStringLiteral("\u200d") : QString();
    QString shownText;
    if (before < start)
        shownText = t.mid(before, start - before) + joinedStart + separator + joinedStart;
    offset = int(shownText.size());
    shownText += t.mid(start, end - start);
    if (after > end)
        shownText += joinedEnd + separator + joinedEnd + t.mid(end, after - end);
    layout.setText(shownText);
    layout.setFont(font);
    const Qt::LayoutDirection direction = lines.direction(line);
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::NoWrap);
    // The spaces at the end hang as set below, not as the layout would
    // hang them before a line separator.
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    option.setTabStopDistance(WrappedLines::DefaultTabStop);
    option.setTextDirection(direction);
    layout.setTextOption(option);
    const qsizetype preeditPosition = lines.preeditPosition();
    preeditAt = -1;
    preeditLength = 0;
    if (preeditPosition >= start && preeditPosition <= end
        && lines.lineOf(preeditPosition) == line) {
        preeditAt = preeditPosition;
        preeditLength = int(lines.preedit().size());
        layout.setPreeditArea(toLayout(preeditAt), lines.preedit());
    }
    layout.beginLayout();
    if (offset > 0)
        OutOfSight(layout.createLine(), -1);
    this->line = layout.createLine();
    this->line.setLineWidth(width);
    this->line.setPosition(QPointF(0, 0));
    if (after > end)
        OutOfSight(layout.createLine(), 1);
    layout.endLayout();
    // The spaces at the end of a right-to-left line broken to fit hang
    // left of the margin, as in Qt's own layout.
    const qsizetype body = lines.contentEnd(line);
    const qreal hang = body < end && direction == Qt::RightToLeft
        ? QFontMetricsF(font).horizontalAdvance(t.mid(body, end - body))
        : 0;
    at = QPointF(left - hang, top);
}

} // namespace huevane
