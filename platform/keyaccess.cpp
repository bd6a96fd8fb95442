#include "platform/keyaccess.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

namespace huevane {

namespace {

QString KeyText(Qt::Key key)
{
    return key == Qt::Key_Space ? QStringLiteral(" ")
        : key == Qt::Key_Return ? QStringLiteral("\r")
                                : QString();
}

} // namespace

KeyAction PressAction()
{
    return {QAccessibleActionInterface::pressAction(), QKeyCombination(Qt::Key_Space)};
}

void PostKey(QWidget *widget, QKeyCombination key)
{
    const QString text = KeyText(key.key());
    QCoreApplication::postEvent(
        widget, new QKeyEvent(QEvent::KeyPress, key.key(), key.keyboardModifiers(), text));
    QCoreApplication::postEvent(
        widget, new QKeyEvent(QEvent::KeyRelease, key.key(), key.keyboardModifiers(), text));
}

KeyActionAccessible::KeyActionAccessible(QWidget *widget)
    : QAccessibleWidget(widget)
{ }

QAccessible::Role KeyActionAccessible::role() const
{
    return roleOf();
}

QStringList KeyActionAccessible::actionNames() const
{
    QStringList names;
    for (const KeyAction &action : actionsOf())
        names << action.name;
    return names + QAccessibleWidget::actionNames();
}

void KeyActionAccessible::doAction(const QString &actionName)
{
    for (const KeyAction &action : actionsOf()) {
        if (action.name == actionName) {
            if (widget()->isEnabled())
                PostKey(widget(), action.key);
            return;
        }
    }
    QAccessibleWidget::doAction(actionName);
}

QStringList KeyActionAccessible::keyBindingsForAction(const QString &actionName) const
{
    for (const KeyAction &action : actionsOf()) {
        if (action.name == actionName)
            return {QKeySequence(action.key).toString(QKeySequence::NativeText)};
    }
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

void DrawFocusMark(QPainter &painter, const QRect &rect)
{
    painter.save();
    const QRect mark = rect.adjusted(0, 0, -1, -1);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 0));
    painter.drawRect(mark);
    painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
    painter.drawRect(mark);
    painter.restore();
}

} // namespace huevane
