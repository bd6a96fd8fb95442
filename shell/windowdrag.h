#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace huevane {

/// Moves a window when any mouse button is pressed on a handle widget inside it,
/// the way a title bar does. For the left button the window manager's own move is
/// used where it is offered; otherwise the window follows the pointer until the
/// button that started the drag is released.
class WindowDrag : public QObject
{
    Q_OBJECT

public:
    /// Makes @p handle drag its top-level window. The drag lives as long as @p handle.
    explicit WindowDrag(QWidget *handle);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_handle;
    Qt::MouseButton m_dragButton = Qt::NoButton; // the button that follows the pointer
    QPoint m_grabOffset;                         // pointer position relative to the window's corner
};

} // namespace huevane
