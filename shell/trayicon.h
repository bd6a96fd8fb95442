#pragma once

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>

#include <memory>

namespace huevane {

/// The window's icon in the notification area, with the tip
/// "Caldrin's Brightkit: Huevane". A left or right press on it brings the window
/// to the front; movement, releases, the middle button and the second press of a
/// double click do nothing. Where there is no notification area the program runs
/// on without an icon, silently.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    /// The icon of @p window, showing @p image; nothing is shown until createIcon.
    TrayIcon(QWidget *window, const QIcon &image, QObject *parent = nullptr);
    ~TrayIcon() override;

    /// The tip shown for the icon.
    static QString tipText();

    /// Adds the icon to the notification area, if there is one.
    void createIcon();

    /// Removes the icon from the notification area.
    void deleteIcon();

    /// True while the icon is in the notification area.
    bool isShown() const;

    /// What a press on the icon does: for a left press (Trigger) or a right press
    /// (Context), brings the window to the top of the others, makes it the
    /// foreground window and activates it; other reasons do nothing.
    void handleActivation(QSystemTrayIcon::ActivationReason reason);

private:
    QWidget *m_window;
    QIcon m_image;
    std::unique_ptr<QSystemTrayIcon> m_icon;
};

} // namespace huevane
