#include "textboxaccessible.h"

#include "mainwindow/textbox.h"

#include <QAccessibleWidget>

namespace huevane {

namespace {

class AccessibleTextBox : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit AccessibleTextBox(TextBox *box)
        : QAccessibleWidget(box, QAccessible::EditableText)
    { }

    TextBox *box() const { return static_cast<TextBox *>(widget()); }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface *>(this)
                                                  : QAccessibleWidget::interface_cast(type);
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
