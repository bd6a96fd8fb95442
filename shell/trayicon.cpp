#include "trayicon.h"

#include <QWidget>
#include <QWindow>

namespace huevane {

TrayIcon::TrayIcon(QWidget *window, const QIcon &image, QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_image(image)
{ }

TrayIcon::~TrayIcon() = default;

QString TrayIcon::tipText()
{
    return QStringLiteral("Caldrin's Brightkit: Huevane");
}

void TrayIcon::createIcon()
{
    if (m_icon || !QSystemTrayIcon::isSystemTrayAvailable())
        return;
    m_icon = std::make_unique<QSystemTrayIcon>(m_image);
    m_icon->setToolTip(tipText());
    connect(m_icon.get(), &QSystemTrayIcon::activated, this, &TrayIcon::handleActivation);
    m_icon->show();
}

void TrayIcon::deleteIcon()
{
    if (!m_icon)
        return;
    m_icon->hide();
    m_icon.reset();
}

bool TrayIcon::isShown() const
{
    return m_icon && m_icon->isVisible();
}

void TrayIcon::handleActivation(QSystemTrayIcon::ActivationReason reason)
{
    if (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::Context)
        return;
    // To the top of the z-order; the window is never made to stay on top, so it
    // is not left above everything. Then foreground, then active.
    m_window->raise();
    m_window->activateWindow();
    if (QWindow *handle = m_window->windowHandle())
        handle->requestActivate();
}

} // namespace huevane
