#include "windowdrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace huevane {

WindowDrag::WindowDrag(QWidget *handle)
    : QObject(handle)
    , m_handle(handle)
{
    handle->installEventFilter(this);
}

bool WindowDrag::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_handle)
        return false;
    QWidget *window = m_handle->window();
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *press = static_cast<QMouseEvent *>(event);
        if (press->buttons() & m_dragButton)
            return true; // another button during a drag
        // The window manager's move ends at a left release, whatever button
        // started it: it serves the left button only.
        QWindow *handle = window->windowHandle();
        if (press->button() == Qt::LeftButton && handle && handle->startSystemMove())
            return true;
        m_dragButton = press->button();
        m_grabOffset = press->globalPosition().toPoint() - window->pos();
        return true;
    }
    case QEvent::MouseMove: {
        auto *move = static_cast<QMouseEvent *>(event);
        // A release that never arrived (the grab went elsewhere) still ends the drag.
        if (!(move->buttons() & m_dragButton)) {
            m_dragButton = Qt::NoButton;
            return false;
        }
        window->move(move->globalPosition().toPoint() - m_grabOffset);
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (m_dragButton != Qt::NoButton
            && static_cast<QMouseEvent *>(event)->button() == m_dragButton) {
            m_dragButton = Qt::NoButton;
            return true;
        }
        return false;
    default:
        return false;
    }
}

} // namespace huevane
