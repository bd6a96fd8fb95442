// Where the lines of a TextBox stand in its viewport, and the scroll bar over them.

#include "textview/shownline.h"
#include "textview/textbox_p.h"

#include <QScrollBar>

#include <cmath>

namespace huevane {

int TextBox::Private::first() const
{
    return q->verticalScrollBar()->value();
}

qreal TextBox::Private::width() const
{
    return std::max<qreal>(q->viewport()->width() - 2 * Margin, 1);
}

int TextBox::Private::page() const
{
    return std::max(1, int((q->viewport()->height() - Margin - 1) / lineHeight));
}

int TextBox::Private::pageAtBottom() const
{
    return std::max(1, int((q->viewport()->height() - 2 * Margin - 1) / lineHeight));
}

void TextBox::Private::relayout()
{
    QTextLayout probe(QStringLiteral("x"), q->font());
    probe.beginLayout();
    QTextLine line = probe.createLine();
    line.setLineWidth(width());
    lineHeight = line.height();
    probe.endLayout();
    lines.layout(QString(text()), q->font(), width());
    updateScrollBar();
}

// The lines are broken as far as the view shows them; the scroll bar reaches
// as far as they and the estimate of the rest of the text go.
void TextBox::Private::updateScrollBar()
{
    QScrollBar *bar = q->verticalScrollBar();
    lines.exists(qsizetype(bar->value()) + page() + 1);
    bar->setRange(0, int(std::max<qsizetype>(0, lines.count() - pageAtBottom())));
    bar->setPageStep(page());
    bar->setSingleStep(1);
    q->viewport()->update();
}

void TextBox::Private::ensureVisible(qsizetype position)
{
    const qsizetype line = lines.lineOf(position);
    updateScrollBar(); // the lines up to it may hold more than was estimated
    QScrollBar *bar = q->verticalScrollBar();
    if (line < bar->value())
        bar->setValue(int(line));
    else if (line >= bar->value() + pageAtBottom())
        bar->setValue(int(line - pageAtBottom() + 1));
}

bool TextBox::Private::holds(qsizetype line, qsizetype position) const
{
    return position >= lines.start(line)
        && (!lines.exists(line + 1) || position < lines.start(line + 1));
}

bool TextBox::Private::inView(qsizetype position) const
{
    const qsizetype top = first();
    const qsizetype below = top + page() + 1;
    return position >= lines.start(top) && (!lines.exists(below) || position < lines.start(below));
}

void TextBox::Private::layOut(ShownLine &shown, qsizetype line) const
{
    shown.layOut(lines, line, q->font(), width(), Margin, lineTop(line));
}

// The x is taken from the margin, as Qt's box takes it, even where the spaces
// at the end of a right-to-left line hang left of it.
qsizetype TextBox::Private::positionInLine(qsizetype line, qreal x) const
{
    ShownLine shown;
    layOut(shown, line);
    const qsizetype at = shown.toText(shown.line.xToCursor(x - Margin));
    return std::clamp(at, shown.start, lines.contentEnd(line));
}

qreal TextBox::Private::xOf(qsizetype position) const
{
    ShownLine shown;
    layOut(shown, lines.lineOf(position));
    return shown.x(position);
}

qsizetype TextBox::Private::positionAt(QPointF point) const
{
    const qsizetype line = std::max<qsizetype>(
        0, qsizetype(std::floor((point.y() + offset(first()) - Margin) / lineHeight)));
    return lines.exists(line) ? positionInLine(line, point.x()) : text().size();
}

QRectF TextBox::Private::cursorRect(qsizetype position) const
{
    return QRectF(xOf(position) - 1, lineTop(lines.lineOf(position)), 3, lineHeight);
}

} // namespace huevane
