#pragma once

#include <QAccessibleWidget>
#include <QKeySequence>
#include <QList>

class QPainter;

namespace huevane {

/// An action that assistive technology can ask of a control, done by the key
/// that does it from the keyboard, so that a screen reader and the keyboard take
/// one path. @p name is one of QAccessibleActionInterface's names (pressAction()
/// and so on) or a sentence of its own.
struct KeyAction
{
    QString name;
    QKeyCombination key;
};

/// The press action of a button: Space.
KeyAction PressAction();

/// Posts the press and the release of @p key to @p widget. Posted, not sent: an
/// action may open a modal dialog, and the caller (a screen reader's request)
/// must not wait for it to close.
void PostKey(QWidget *widget, QKeyCombination key);

/// A widget as assistive technology sees it, with the role and the key actions
/// that roleOf() and actionsOf() give at the moment they are asked, besides the
/// focus action of every widget that takes the focus.
class KeyActionAccessible : public QAccessibleWidget
{
public:
    explicit KeyActionAccessible(QWidget *widget);

    QAccessible::Role role() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

protected:
    virtual QAccessible::Role roleOf() const = 0;
    virtual QList<KeyAction> actionsOf() const = 0;
};

/// The dotted mark around @p rect that shows where the keyboard focus is on the
/// controls that draw themselves: black dots over a white line, seen on any
/// colour below.
void DrawFocusMark(QPainter &painter, const QRect &rect);

} // namespace huevane
