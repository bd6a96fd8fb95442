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
        QWindow *handle = window->windowHandle();
        if (handle && handle->startSystemMove())
            return true;
        m_following = true;
        m_grabOffset = press->globalPosition().toPoint() - window->pos();
        return true;
    }
    case QEvent::MouseMove:
        if (m_following) {
            window->move(static_cast<QMouseEvent *>(event)->globalPosition().toPoint()
                         - m_grabOffset);
            return true;
        }
        return false;
    case QEvent::MouseButtonRelease:
        if (m_following && static_cast<QMouseEvent *>(event)->buttons() == Qt::NoButton) {
            m_following = false;
            return true;
        }
        return false;
    default:
        return false;
    }
}

} // namespace huevane
