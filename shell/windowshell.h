#pragma once

#include "platform/desktopshell.h"

#include <QIcon>

#include <memory>

namespace huevane {

class TrayIcon;

/// The desktop's shell around the main window: the outline of the skin, the
/// notification-area icon with the tray image, and the window manager's move.
class WindowShell : public DesktopShell
{
public:
    /// A shell whose notification-area icon shows @p trayImage.
    explicit WindowShell(const QIcon &trayImage);
    ~WindowShell() override;

    QRegion buildWindowOutline() const override;
    void createIcon(QWidget *window) override;
    void deleteIcon() override;
    void makeDragHandle(QWidget *handle) override;

private:
    QIcon m_trayImage;
    std::unique_ptr<TrayIcon> m_icon;
};

} // namespace huevane
