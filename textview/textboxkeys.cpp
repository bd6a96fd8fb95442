// The keys of a TextBox: those that move the insertion point and those that edit.

#include "textview/characterbounds.h"
#include "textview/textbox_p.h"
#include "textview/textsteps.h"

#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>

namespace huevane {

bool TextBox::event(QEvent *event)
{
    // Editing keys belong to the box, not to a shortcut of the window.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll)
            || (!d->readOnly
                && (key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Paste)
                    || key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)
                    || (!key->text().isEmpty()
                        && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))))) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    bool keepAnchor = false;
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (d->readOnly) {
        // The keys scroll, Space by a page, Home and End to the top and bottom.
        QScrollBar *bar = verticalScrollBar();
        if (event->key() == Qt::Key_Space)
            bar->triggerAction(event->modifiers() & Qt::ShiftModifier
                                   ? QAbstractSlider::SliderPageStepSub
                                   : QAbstractSlider::SliderPageStepAdd);
        else if (event->key() == Qt::Key_Home && event->modifiers() == Qt::NoModifier)
            bar->triggerAction(QAbstractSlider::SliderToMinimum);
        else if (event->key() == Qt::Key_End && event->modifiers() == Qt::NoModifier) {
            // To the last line itself, not to where the estimate puts it.
            d->ensureVisible(d->text().size());
            bar->triggerAction(QAbstractSlider::SliderToMaximum);
        } else
            QAbstractScrollArea::keyPressEvent(event);
        return;
    } else {
        static const QKeySequence::StandardKey verticals[] = {
            QKeySequence::MoveToNextLine, QKeySequence::MoveToPreviousLine,
            QKeySequence::SelectNextLine, QKeySequence::SelectPreviousLine,
            QKeySequence::MoveToNextPage, QKeySequence::MoveToPreviousPage,
            QKeySequence::SelectNextPage, QKeySequence::SelectPreviousPage};
        const bool vertical = std::any_of(std::begin(verticals), std::end(verticals),
                                          [event](auto key) { return event->matches(key); });
        // Up, Down and the page keys keep to the column they started from.
        if (vertical && d->goalX < 0)
            d->goalX = d->xOf(d->cursor);
        const qsizetype to = d->moved(event, &keepAnchor);
        if (to >= 0) {
            const qreal goal = d->goalX;
            d->select(keepAnchor ? d->anchor : to, to);
            d->goalX = vertical ? goal : -1;
            if (keepAnchor)
                d->publishSelection();
        } else if (!d->handleEditingKey(event)) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

// Before the space a line was broken after, so that what is typed stays on the line.
qsizetype TextBox::Private::lineEnd(qsizetype line) const
{
    const qsizetype end = lines.end(line);
    if (lines.brokenToFit(line) && end > lines.start(line) && text()[end - 1].isSpace())
        return end - 1;
    return end;
}

// A page up or down scrolls the view a page: down to the first line not wholly
// shown, up to the line a view's height above; the insertion point then keeps
// its place in the view.
qsizetype TextBox::Private::paged(bool down)
{
    QScrollBar *bar = q->verticalScrollBar();
    const qsizetype line = lines.lineOf(cursor);
    const qsizetype top = bar->value();
    const qreal height = q->viewport()->height();
    const qreal shownAt = documentTop(line) - offset(top);
    qsizetype newTop = top;
    if (down) {
        while (newTop < lines.count() && documentTop(newTop + 1) - offset(top) <= height - 1)
            ++newTop;
    } else {
        const qreal above = offset(top) - height;
        while (newTop > 0 && documentTop(newTop) >= above)
            --newTop;
    }
    bar->setValue(int(newTop));
    newTop = bar->value();
    qsizetype target = line;
    do
        target += down ? 1 : -1;
    while (target > 0 && lines.exists(target + 1)
           && (down ? documentTop(target) - offset(newTop) < shownAt
                    : documentTop(target) - offset(newTop) > shownAt));
    target = std::max<qsizetype>(target, 0);
    if (!lines.exists(target))
        target = lines.count() - 1;
    return target == line ? cursor : positionInLine(target, goalX >= 0 ? goalX : xOf(cursor));
}

qsizetype TextBox::Private::moved(QKeyEvent *event, bool *keepAnchor)
{
    using K = QKeySequence;
    static const std::pair<K::StandardKey, K::StandardKey> moves[] = {
        {K::MoveToNextChar, K::SelectNextChar},
        {K::MoveToPreviousChar, K::SelectPreviousChar},
        {K::MoveToNextWord, K::SelectNextWord},
        {K::MoveToPreviousWord, K::SelectPreviousWord},
        {K::MoveToNextLine, K::SelectNextLine},
        {K::MoveToPreviousLine, K::SelectPreviousLine},
        {K::MoveToNextPage, K::SelectNextPage},
        {K::MoveToPreviousPage, K::SelectPreviousPage},
        {K::MoveToStartOfLine, K::SelectStartOfLine},
        {K::MoveToEndOfLine, K::SelectEndOfLine},
        {K::MoveToStartOfDocument, K::SelectStartOfDocument},
        {K::MoveToEndOfDocument, K::SelectEndOfDocument},
    };
    for (const auto &[move, extend] : moves) {
        if (!event->matches(move) && !event->matches(extend))
            continue;
        *keepAnchor = event->matches(extend);
        const qsizetype line = lines.lineOf(cursor);
        // Right goes on in the paragraph's own direction.
        const bool back = lines.direction(line) == Qt::RightToLeft;
        switch (move) {
        case K::MoveToNextChar:
            return back ? PreviousCharacter(text(), cursor) : NextCharacter(text(), cursor);
        case K::MoveToPreviousChar:
            return back ? NextCharacter(text(), cursor) : PreviousCharacter(text(), cursor);
        case K::MoveToNextWord:
            return WordStep(text(), cursor, !back);
        case K::MoveToPreviousWord:
            return WordStep(text(), cursor, back);
        case K::MoveToStartOfLine:
            return lines.start(line);
        case K::MoveToEndOfLine:
            return lineEnd(line);
        case K::MoveToStartOfDocument:
            return 0;
        case K::MoveToEndOfDocument:
            return text().size();
        case K::MoveToNextPage:
        case K::MoveToPreviousPage:
            return paged(move == K::MoveToNextPage);
        default: {
            const qsizetype target = line + (move == K::MoveToNextLine ? 1 : -1);
            if (target < 0 || !lines.exists(target))
                return cursor;
            return positionInLine(target, goalX >= 0 ? goalX : xOf(cursor));
        }
        }
    }
    return -1;
}

bool TextBox::Private::handleEditingKey(QKeyEvent *event)
{
    using Kind = UndoHistory::Kind;
    const qsizetype from = selectionStart();
    const qsizetype to = selectionEnd();
    const bool selected = from != to;
    if (event->matches(QKeySequence::Cut))
        q->cut();
    else if (event->matches(QKeySequence::Paste))
        q->paste();
    else if (event->matches(QKeySequence::Undo))
        q->undo();
    else if (event->matches(QKeySequence::Redo))
        q->redo();
    else if (event->matches(QKeySequence::DeleteStartOfWord))
        edit(selected ? from : WordStep(text(), cursor, false), to, {});
    else if (event->matches(QKeySequence::DeleteEndOfWord))
        edit(from, selected ? to : WordStep(text(), cursor, true), {});
    else if (event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier)) {
        // Back over one code point: a letter's accent goes before the letter.
        qsizetype back = cursor - 1;
        if (back > 0 && text()[back].isLowSurrogate() && text()[back - 1].isHighSurrogate())
            --back;
        edit(selected ? from : std::max<qsizetype>(back, 0), to, {}, Kind::Erasing);
    } else if (event->matches(QKeySequence::Delete))
        edit(from, selected ? to : NextCharacter(text(), cursor), {}, Kind::Erasing);
    else if (event->matches(QKeySequence::InsertParagraphSeparator)
             || event->matches(QKeySequence::InsertLineSeparator))
        edit(from, to, QStringLiteral("\n"));
    else if (!event->text().isEmpty() && QChar::isPrint(event->text().toUcs4().value(0))
             && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        edit(from, to, normalised(event->text()), Kind::Typing);
    else
        return false;
    return true;
}

} // namespace huevane
