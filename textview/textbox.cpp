#include "textbox.h"

#include "engine/lineends.h"
#include "textview/textbox_p.h"
#include "textview/textboxaccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QScrollBar>

namespace huevane {

void TextBox::Private::select(qsizetype newAnchor, qsizetype newCursor, bool scroll)
{
    newAnchor = std::clamp<qsizetype>(newAnchor, 0, text().size());
    newCursor = std::clamp<qsizetype>(newCursor, 0, text().size());
    if (newAnchor == anchor && newCursor == cursor)
        return;
    const bool hadSelection = hasSelection();
    anchor = newAnchor;
    cursor = newCursor;
    if (scroll)
        ensureVisible(cursor);
    restartBlink();
    q->viewport()->update();
    if (hadSelection || hasSelection())
        Q_EMIT q->selectionChanged();
    if (QAccessible::isActive()) {
        QAccessibleTextCursorEvent moved(q, int(cursor));
        QAccessible::updateAccessibility(&moved);
    }
}

// As in every text box where the platform has a primary selection.
void TextBox::Private::publishSelection() const
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (hasSelection() && clipboard->supportsSelection())
        clipboard->setText(q->selectedText(), QClipboard::Selection);
}

void TextBox::Private::restartBlink()
{
    cursorShown = q->hasFocus() && !readOnly;
    const int period = QApplication::cursorFlashTime() / 2;
    if (cursorShown && period > 0)
        blink.start(period, q);
    else
        blink.stop();
}

QString TextBox::Private::normalised(const QString &t) const
{
    return readOnly ? t : WithLineBreaks(t, u"\n");
}

void TextBox::Private::apply(qsizetype at, qsizetype length, const QString &inserted)
{
    const QString removed = QAccessible::isActive() ? text().mid(at, length) : QString();
    lines.replace(at, length, inserted);
    Q_EMIT q->textChanged();
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent changed(q, int(at), removed, inserted);
        QAccessible::updateAccessibility(&changed);
    }
}

void TextBox::Private::edit(qsizetype from, qsizetype to, const QString &inserted,
                            UndoHistory::Kind kind)
{
    if (readOnly || (from == to && inserted.isEmpty()))
        return;
    history.record({from, text().mid(from, to - from), inserted, kind});
    const bool hadSelection = hasSelection();
    anchor = cursor = from + inserted.size();
    goalX = -1;
    apply(from, to - from, inserted);
    if (hadSelection)
        Q_EMIT q->selectionChanged();
    ensureVisible(cursor);
    restartBlink();
}

void TextBox::Private::undoOrRedo(bool undoing)
{
    if (readOnly)
        return;
    const std::optional<UndoHistory::Edit> step = undoing ? history.undo() : history.redo();
    if (!step)
        return;
    const QString &gone = undoing ? step->inserted : step->removed;
    const QString &back = undoing ? step->removed : step->inserted;
    anchor = cursor = step->at + back.size();
    apply(step->at, gone.size(), back);
    ensureVisible(cursor);
    restartBlink();
}

TextBox::TextBox(QWidget *parent)
    : QAbstractScrollArea(parent)
    , d(std::make_unique<Private>(this))
{
    static const bool accessible = [] {
        QAccessible::installFactory(TextBoxAccessible);
        return true;
    }();
    Q_UNUSED(accessible);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    d->relayout();
}

TextBox::~TextBox() = default;

QString TextBox::toPlainText() const
{
    return d->text();
}

const WrappedLines &TextBox::lines() const
{
    return d->lines;
}

void TextBox::setPlainText(const QString &text)
{
    d->history.clear();
    const bool hadSelection = d->hasSelection();
    d->anchor = d->cursor = 0;
    d->goalX = -1;
    d->lines.layout(d->normalised(text), font(), d->width());
    d->updateScrollBar();
    verticalScrollBar()->setValue(0);
    Q_EMIT textChanged();
    if (hadSelection)
        Q_EMIT selectionChanged();
}

bool TextBox::isReadOnly() const
{
    return d->readOnly;
}

void TextBox::setReadOnly(bool readOnly)
{
    if (d->readOnly == readOnly)
        return;
    d->readOnly = readOnly;
    setAttribute(Qt::WA_InputMethodEnabled, !readOnly);
    setAcceptDrops(!readOnly);
    viewport()->setAcceptDrops(!readOnly);
    viewport()->setCursor(readOnly ? Qt::ArrowCursor : Qt::IBeamCursor);
    d->restartBlink();
    viewport()->update();
}

QString TextBox::selectedText() const
{
    return d->text().mid(d->selectionStart(), d->selectionEnd() - d->selectionStart());
}

qsizetype TextBox::cursorPosition() const
{
    return d->cursor;
}

qsizetype TextBox::anchorPosition() const
{
    return d->anchor;
}

void TextBox::setSelection(qsizetype anchor, qsizetype position)
{
    d->select(anchor, position);
}

qsizetype TextBox::positionAt(QPoint point) const
{
    return d->positionAt(point);
}

QRect TextBox::positionRect(qsizetype position) const
{
    return d->cursorRect(std::clamp<qsizetype>(position, 0, d->text().size())).toAlignedRect();
}

void TextBox::scrollTo(qsizetype position)
{
    d->ensureVisible(std::clamp<qsizetype>(position, 0, d->text().size()));
}

void TextBox::replaceText(qsizetype position, qsizetype length, const QString &text)
{
    const qsizetype size = d->text().size();
    position = std::clamp<qsizetype>(position, 0, size);
    length = std::clamp<qsizetype>(length, 0, size - position);
    d->edit(position, position + length, d->normalised(text));
}

void TextBox::selectAll()
{
    // The view stays where it is: selecting all on focus does not scroll.
    d->select(0, d->text().size(), false);
    d->publishSelection();
}

void TextBox::copy()
{
    if (d->hasSelection())
        QGuiApplication::clipboard()->setText(selectedText());
}

void TextBox::cut()
{
    if (d->readOnly || !d->hasSelection())
        return;
    copy();
    d->eraseSelection();
}

void TextBox::paste()
{
    // Without an owner the clipboard has no text, and pasting it does nothing.
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty())
        insertPlainText(text);
}

void TextBox::undo()
{
    d->undoOrRedo(true);
}

void TextBox::redo()
{
    d->undoOrRedo(false);
}

void TextBox::insertPlainText(const QString &text)
{
    d->edit(d->selectionStart(), d->selectionEnd(), d->normalised(text));
}

void TextBox::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    d->relayout();
}

void TextBox::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        d->relayout();
}

void TextBox::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    d->restartBlink();
    viewport()->update();
}

void TextBox::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    d->blink.stop();
    d->cursorShown = false;
    viewport()->update();
}

void TextBox::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == d->blink.timerId()) {
        // Only the insertion point is drawn again, not the text around it.
        d->cursorShown = !d->cursorShown;
        if (d->inView(d->cursor))
            viewport()->update(d->cursorRect(d->cursor).toAlignedRect());
    } else if (event->timerId() == d->autoScroll.timerId()) {
        const QPoint at = viewport()->mapFromGlobal(QCursor::pos());
        QScrollBar *bar = verticalScrollBar();
        bar->setValue(bar->value() + (at.y() < 0 ? -1 : at.y() > viewport()->height() ? 1 : 0));
        d->extendGesture(at);
    } else if (event->timerId() == d->tripleClick.timerId()) {
        d->tripleClick.stop();
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

void TextBox::scrollContentsBy(int, int)
{
    d->updateScrollBar();
}

} // namespace huevane
