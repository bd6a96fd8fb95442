// The mouse on a TextBox: clicks and drags that select, and text dragged out
// of it and dropped on it.

#include "textview/textbox_p.h"
#include "textview/textsteps.h"

#include <QClipboard>
#include <QDrag>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QScrollBar>
#include <QStyleHints>

namespace huevane {

namespace {

constexpr int AutoScrollMs = 50; // a drag beyond the box scrolls a line this often

} // namespace

void TextBox::Private::extendGesture(QPointF point)
{
    const qsizetype at = positionAt(point);
    std::pair<qsizetype, qsizetype> around {at, at};
    if (gesture == Gesture::Words) {
        // To the nearer end of the word under the pointer.
        around = WordAround(text(), at);
        const qreal x = point.x();
        if (lines.lineOf(around.first) == lines.lineOf(around.second)
            && std::abs(x - xOf(around.first)) < std::abs(xOf(around.second) - x))
            around.second = around.first;
        else
            around.first = around.second;
    } else if (gesture == Gesture::Lines) {
        around = ParagraphAround(text(), at);
    }
    if (around.first < gestureFrom)
        select(gestureTo, around.first);
    else
        select(gestureFrom, std::max(around.second, gestureTo));
}

// Moved where the box is editable, copied otherwise; dropped on the box itself
// it moves there (see dropEvent).
void TextBox::Private::dragSelection()
{
    auto *drag = new QDrag(q);
    auto *data = new QMimeData;
    data->setText(q->selectedText());
    drag->setMimeData(data);
    const Qt::DropActions actions = readOnly ? Qt::CopyAction : Qt::CopyAction | Qt::MoveAction;
    const Qt::DropAction done = drag->exec(actions, Qt::CopyAction);
    if (done == Qt::MoveAction && drag->target() != q->viewport() && drag->target() != q)
        eraseSelection();
}

void TextBox::mousePressEvent(QMouseEvent *event)
{
    const qsizetype at = d->positionAt(event->position());
    if (event->button() == Qt::MiddleButton && !d->readOnly
        && QGuiApplication::clipboard()->supportsSelection()) {
        d->select(at, at);
        insertPlainText(QGuiApplication::clipboard()->text(QClipboard::Selection));
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    d->goalX = -1;
    d->pressAt = event->position().toPoint();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (d->tripleClick.isActive()
        && (d->pressAt - d->doubleClickAt).manhattanLength()
            < QGuiApplication::styleHints()->startDragDistance()) {
        // A third click takes the paragraph with its line break; a drag goes on by paragraphs.
        d->tripleClick.stop();
        d->gesture = Private::Gesture::Lines;
        std::tie(d->gestureFrom, d->gestureTo) = ParagraphAround(d->text(), at);
        d->select(d->gestureFrom, d->gestureTo);
    } else if (!shift && d->hasSelection() && at >= d->selectionStart() && at < d->selectionEnd()) {
        d->gesture = Private::Gesture::MayDrag; // the selected text may be dragged away
        return;
    } else {
        d->gesture = Private::Gesture::Characters;
        d->gestureFrom = d->gestureTo = shift ? d->anchor : at;
        d->select(shift ? d->anchor : at, at);
    }
}

void TextBox::mouseMoveEvent(QMouseEvent *event)
{
    if (d->gesture == Private::Gesture::None || !(event->buttons() & Qt::LeftButton))
        return;
    if (d->gesture == Private::Gesture::MayDrag) {
        if ((event->position().toPoint() - d->pressAt).manhattanLength()
            >= QGuiApplication::styleHints()->startDragDistance()) {
            d->gesture = Private::Gesture::None;
            d->dragSelection();
        }
        return;
    }
    d->extendGesture(event->position());
    if (viewport()->rect().contains(event->position().toPoint()))
        d->autoScroll.stop();
    else if (!d->autoScroll.isActive())
        d->autoScroll.start(AutoScrollMs, this);
}

void TextBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (d->gesture == Private::Gesture::MayDrag) {
        // A click in the selection that dragged nothing puts the insertion point there.
        const qsizetype at = d->positionAt(event->position());
        d->select(at, at);
    }
    d->gesture = Private::Gesture::None;
    d->autoScroll.stop();
    d->publishSelection();
}

void TextBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // The word under the pointer; a drag goes on by words.
    d->gesture = Private::Gesture::Words;
    std::tie(d->gestureFrom, d->gestureTo) =
        WordAround(d->text(), d->positionAt(event->position()));
    d->select(d->gestureFrom, d->gestureTo);
    d->doubleClickAt = event->position().toPoint();
    d->tripleClick.start(QGuiApplication::styleHints()->mouseDoubleClickInterval(), this);
    d->publishSelection();
}

void TextBox::dragEnterEvent(QDragEnterEvent *event)
{
    if (!d->readOnly && event->mimeData()->hasText())
        event->acceptProposedAction();
}

void TextBox::dragMoveEvent(QDragMoveEvent *event)
{
    if (d->readOnly || !event->mimeData()->hasText())
        return;
    // A second insertion point shows where the text would go.
    d->dropAt = d->positionAt(event->position());
    viewport()->update();
    const bool own = event->source() == this;
    if (own && d->dropAt > d->selectionStart() && d->dropAt < d->selectionEnd())
        event->ignore(); // not into itself
    else if (own && (event->possibleActions() & Qt::MoveAction)
             && !(event->modifiers() & Qt::ControlModifier)) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->acceptProposedAction();
    }
}

void TextBox::dragLeaveEvent(QDragLeaveEvent *)
{
    d->dropAt = -1;
    viewport()->update();
}

void TextBox::dropEvent(QDropEvent *event)
{
    d->dropAt = -1;
    viewport()->update();
    if (d->readOnly || !event->mimeData()->hasText())
        return;
    qsizetype at = d->positionAt(event->position());
    const QString dropped = d->normalised(event->mimeData()->text());
    if (event->source() == this && event->dropAction() == Qt::MoveAction) {
        // Moved within the box: taken from where it was and put where it is dropped.
        const qsizetype from = d->selectionStart(), to = d->selectionEnd();
        if (at >= from && at <= to) {
            event->ignore();
            return;
        }
        d->eraseSelection();
        if (at > to)
            at -= to - from;
        event->setDropAction(Qt::CopyAction); // the source has nothing more to remove
    }
    d->select(at, at);
    d->edit(at, at, dropped);
    d->select(at, at + dropped.size());
    event->accept();
}

} // namespace huevane
