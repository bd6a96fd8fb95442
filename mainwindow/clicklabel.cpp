#include "clicklabel.h"

#include "platform/keyaccess.h"

#include <QMouseEvent>
#include <QPainter>

namespace huevane {

namespace {

bool IsButton(const QWidget *label)
{
    return label->focusPolicy() & Qt::TabFocus;
}

class ClickLabelAccessible : public KeyActionAccessible
{
public:
    using KeyActionAccessible::KeyActionAccessible;

    QString text(QAccessible::Text t) const override
    {
        const QString text = KeyActionAccessible::text(t);
        if (t == QAccessible::Name && text.isEmpty())
            return static_cast<const QLabel *>(widget())->text();
        return text;
    }

    // A caption is the label for its buddy; QAccessibleWidget gives the buddy
    // the other half, labelled by the caption.
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override
    {
        auto relations = KeyActionAccessible::relations(match);
        QWidget *buddy = static_cast<const QLabel *>(widget())->buddy();
        if ((match & QAccessible::Labelled) && buddy)
            relations.append({QAccessible::queryAccessibleInterface(buddy), QAccessible::Labelled});
        return relations;
    }

protected:
    QAccessible::Role roleOf() const override
    {
        return IsButton(widget()) ? QAccessible::Button : QAccessible::StaticText;
    }
    QList<KeyAction> actionsOf() const override
    {
        if (!IsButton(widget()))
            return {};
        return {PressAction()};
    }
};

QAccessibleInterface *ClickLabelAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(ClickLabel::staticMetaObject.className()))
        return new ClickLabelAccessible(static_cast<ClickLabel *>(object));
    return nullptr;
}

} // namespace

ClickLabel::ClickLabel(QWidget *parent)
    : QLabel(parent)
{
    static const bool accessible = (QAccessible::installFactory(ClickLabelAccessibleFactory), true);
    Q_UNUSED(accessible);
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        Q_EMIT clicked();
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The label takes the second press of a double click as the press it
    // otherwise is, without starting a second click.
    m_pressed = false;
    QLabel::mousePressEvent(event);
}

void ClickLabel::keyPressEvent(QKeyEvent *event)
{
    const bool click = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return
        || event->key() == Qt::Key_Enter;
    if (!click || (event->modifiers() & ~Qt::KeypadModifier)) {
        QLabel::keyPressEvent(event);
        return;
    }
    Q_EMIT clicked();
}

void ClickLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        DrawFocusMark(painter, rect());
    }
}

} // namespace huevane
