// Drawing a TextBox: only the lines in the area asked for are laid out.

#include "textview/shownline.h"
#include "textview/textbox_p.h"

#include <QPaintEvent>
#include <QPainter>

namespace huevane {

void TextBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const QRect area = event->rect();
    const qreal height = d->lineHeight;
    // Without the focus the selection takes the quieter inactive colours.
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    for (qsizetype line = d->first(); d->lines.exists(line); ++line) {
        const qreal top = d->lineTop(line);
        if (top > area.bottom())
            break;
        if (top + height < area.top())
            continue;
        ShownLine shown;
        d->layOut(shown, line);
        QList<QTextLayout::FormatRange> selections;
        const qsizetype from = std::max(d->selectionStart(), shown.start);
        const qsizetype to = std::min(d->selectionEnd(), d->lines.end(line));
        if (from < to) {
            QTextLayout::FormatRange range;
            range.start = shown.toLayout(from);
            range.length = shown.toLayout(to) - range.start;
            range.format.setBackground(palette().brush(group, QPalette::Highlight));
            range.format.setForeground(palette().brush(group, QPalette::HighlightedText));
            selections.append(range);
        }
        shown.layout.draw(&painter, shown.at, selections,
                          QRectF(0, top, viewport()->width(), height));
        if (d->cursorShown && d->holds(line, d->cursor))
            shown.layout.drawCursor(&painter, shown.at, shown.toLayout(d->cursor));
        if (d->dropAt >= 0 && d->holds(line, d->dropAt))
            shown.layout.drawCursor(&painter, shown.at, shown.toLayout(d->dropAt));
    }
}

} // namespace huevane
