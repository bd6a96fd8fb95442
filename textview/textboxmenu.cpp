// The context menu of a TextBox.

#include "textview/textbox_p.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>

namespace huevane {

QMenu *TextBox::createStandardContextMenu()
{
    auto *menu = new QMenu(this);
    const bool selected = d->hasSelection();
    auto add = [menu](const QString &name, QKeySequence::StandardKey key, bool enabled, auto slot) {
        QAction *action = menu->addAction(name, slot);
        action->setShortcut(key);
        action->setEnabled(enabled);
        return action;
    };
    if (!d->readOnly) {
        add(tr("&Undo"), QKeySequence::Undo, d->history.canUndo(), [this] { undo(); });
        add(tr("&Redo"), QKeySequence::Redo, d->history.canRedo(), [this] { redo(); });
        menu->addSeparator();
        add(tr("Cu&t"), QKeySequence::Cut, selected, [this] { cut(); });
    }
    add(tr("&Copy"), QKeySequence::Copy, selected, [this] { copy(); });
    if (!d->readOnly) {
        add(tr("&Paste"), QKeySequence::Paste, !QGuiApplication::clipboard()->text().isEmpty(),
            [this] { paste(); });
        add(tr("Delete"), QKeySequence::UnknownKey, selected, [this] { d->eraseSelection(); });
    }
    menu->addSeparator();
    add(tr("Select All"), QKeySequence::SelectAll, !d->text().isEmpty(), [this] { selectAll(); });
    return menu;
}

void TextBox::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

} // namespace huevane
