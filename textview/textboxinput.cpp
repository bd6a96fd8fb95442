// The input method's view of a TextBox and its edits.

#include "textview/textbox_p.h"
#include "textview/textsteps.h"

#include <QInputMethodEvent>

namespace huevane {

namespace {

// What the input method is handed of the paragraph around the insertion point,
// at most on either side: it asks again at each key, and a paragraph may be
// millions of characters long.
constexpr qsizetype SurroundingUnits = 1024;

} // namespace

void TextBox::inputMethodEvent(QInputMethodEvent *event)
{
    if (d->readOnly) {
        event->ignore();
        return;
    }
    if (!event->commitString().isEmpty() || event->replacementLength() > 0) {
        qsizetype from = d->selectionStart();
        qsizetype to = d->selectionEnd();
        if (from == to && event->replacementLength() > 0) {
            from =
                std::clamp<qsizetype>(d->cursor + event->replacementStart(), 0, d->text().size());
            to = std::min<qsizetype>(from + event->replacementLength(), d->text().size());
        }
        d->edit(from, to, d->normalised(event->commitString()), UndoHistory::Kind::Typing);
    }
    // The pre-edit text takes its room in the line, which is broken again around it.
    d->lines.setPreedit(d->cursor, event->preeditString());
    d->ensureVisible(d->cursor);
    event->accept();
}

QVariant TextBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled:
        return !d->readOnly;
    case Qt::ImCursorRectangle:
        return d->cursorRect(d->cursor).translated(viewport()->pos()).toAlignedRect();
    case Qt::ImFont:
        return font();
    case Qt::ImAbsolutePosition:
        return int(d->cursor);
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition:
    case Qt::ImSurroundingText: {
        const auto [from, to] = AroundInParagraph(d->text(), d->cursor, SurroundingUnits);
        if (query == Qt::ImSurroundingText)
            return d->text().mid(from, to - from);
        return int((query == Qt::ImCursorPosition ? d->cursor : std::clamp(d->anchor, from, to))
                   - from);
    }
    case Qt::ImCurrentSelection:
        return selectedText();
    case Qt::ImHints:
        return int(Qt::ImhMultiLine);
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

} // namespace huevane
