#pragma once

#include <QRegion>

class QWidget;

namespace huevane {

/// What the main window asks of the desktop around it: its shaped outline, its
/// icon in the notification area, and moving it by a handle. The window drives
/// these at start-up and at closing; the desktop's own implementation lives in
/// shell/, and tests put in their own.
class DesktopShell
{
public:
    virtual ~DesktopShell();

    /// The window's outline as a region in pixels, for QWidget::setMask.
    virtual QRegion buildWindowOutline() const = 0;

    /// Adds @p window's icon to the notification area, where there is one.
    virtual void createIcon(QWidget *window) = 0;

    /// Removes the icon again; nothing happens when there is none.
    virtual void deleteIcon() = 0;

    /// Makes a press of any mouse button on @p handle move its window.
    virtual void makeDragHandle(QWidget *handle) = 0;
};

} // namespace huevane
