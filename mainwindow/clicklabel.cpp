#include "clicklabel.h"

#include <QMouseEvent>

namespace huevane {

ClickLabel::ClickLabel(QWidget *parent)
    : QLabel(parent)
{ }

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

} // namespace huevane
