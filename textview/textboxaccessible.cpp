#include "textboxaccessible.h"

#include "textview/textbox.h"

#include <QAccessibleWidget>
#include <QContextMenuEvent>
#include <QCoreApplication>

namespace huevane {

namespace {

class AccessibleTextBox : public QAccessibleWidget,
                          public QAccessibleTextInterface,
                          public QAccessibleEditableTextInterface
{
public:
    explicit AccessibleTextBox(TextBox *box)
        : QAccessibleWidget(box, QAccessible::EditableText)
    { }

    TextBox *box() const { return static_cast<TextBox *>(widget()); }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        // Only the editable box can be written to, as with Qt's own boxes.
        if (type == QAccessible::EditableTextInterface && !box()->isReadOnly())
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << showMenuAction();
    }

    // The context menu opens where the insertion point is, as the menu key opens it.
    void doAction(const QString &name) override
    {
        if (name != showMenuAction()) {
            QAccessibleWidget::doAction(name);
            return;
        }
        const QPoint at = box()->positionRect(box()->cursorPosition()).center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, box()->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(box(), &menu);
    }

    void setText(QAccessible::Text t, const QString &text) override
    {
        if (t == QAccessible::Value && !box()->isReadOnly())
            box()->replaceText(0, box()->toPlainText().size(), text);
        else
            QAccessibleWidget::setText(t, text);
    }

    void deleteText(int startOffset, int endOffset) override
    {
        box()->replaceText(startOffset, endOffset - startOffset, {});
    }
    void insertText(int offset, const QString &text) override
    {
        box()->replaceText(offset, 0, text);
    }
    void replaceText(int startOffset, int endOffset, const QString &text) override
    {
        box()->replaceText(startOffset, endOffset - startOffset, text);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !box()->isReadOnly();
        state.readOnly = box()->isReadOnly();
        state.multiLine = true;
        state.selectableText = true;
        return state;
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? box()->toPlainText() : QAccessibleWidget::text(t);
    }

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && selectionCount() == 1) {
            *startOffset = int(std::min(box()->anchorPosition(), box()->cursorPosition()));
            *endOffset = int(std::max(box()->anchorPosition(), box()->cursorPosition()));
        }
    }
    int selectionCount() const override
    {
        return box()->anchorPosition() != box()->cursorPosition() ? 1 : 0;
    }
    void addSelection(int startOffset, int endOffset) override
    {
        box()->setSelection(startOffset, endOffset);
    }
    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex == 0)
            box()->setSelection(box()->cursorPosition(), box()->cursorPosition());
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex == 0)
            box()->setSelection(startOffset, endOffset);
    }
    int cursorPosition() const override { return int(box()->cursorPosition()); }
    void setCursorPosition(int position) override { box()->setSelection(position, position); }
    QString text(int startOffset, int endOffset) const override
    {
        return box()->toPlainText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(box()->toPlainText().size()); }
    QRect characterRect(int offset) const override
    {
        const QRect rect = box()->positionRect(offset);
        return rect.translated(box()->viewport()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return int(box()->positionAt(box()->viewport()->mapFromGlobal(point)));
    }
    void scrollToSubstring(int startIndex, int) override { box()->scrollTo(startIndex); }
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }
};

} // namespace

QAccessibleInterface *TextBoxAccessible(const QString &className, QObject *object)
{
    auto *box = qobject_cast<TextBox *>(object);
    return className == QLatin1String("huevane::TextBox") && box ? new AccessibleTextBox(box)
                                                                 : nullptr;
}

} // namespace huevane
