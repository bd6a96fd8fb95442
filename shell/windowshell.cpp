#include "windowshell.h"

#include "trayicon.h"
#include "windowdrag.h"
#include "windowoutline.h"

namespace huevane {

WindowShell::WindowShell(const QIcon &trayImage)
    : m_trayImage(trayImage)
{ }

WindowShell::~WindowShell() = default;

QRegion WindowShell::buildWindowOutline() const
{
    return huevane::BuildWindowOutline();
}

void WindowShell::createIcon(QWidget *window)
{
    m_icon = std::make_unique<TrayIcon>(window, m_trayImage);
    m_icon->createIcon();
}

void WindowShell::deleteIcon()
{
    if (m_icon)
        m_icon->deleteIcon();
}

void WindowShell::makeDragHandle(QWidget *handle)
{
    new WindowDrag(handle);
}

} // namespace huevane
