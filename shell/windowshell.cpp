#include "windowshell.h"

#include "trayicon.h"
#include "windowdrag.h"
#include "windowoutline.h"

namespace huevane {

WindowShell::WindowShell(const QIcon &trayImage)
    : m_trayImage(trayImage)
{ }

WindowShell::~WindowShell() = default;

QRegion WindowShell::BuildWindowOutline() const
{
    return huevane::BuildWindowOutline();
}

void WindowShell::CreateIcon(QWidget *window)
{
    m_icon = std::make_unique<TrayIcon>(window, m_trayImage);
    m_icon->CreateIcon();
}

void WindowShell::DeleteIcon()
{
    if (m_icon)
        m_icon->DeleteIcon();
}

void WindowShell::MakeDragHandle(QWidget *handle)
{
    new WindowDrag(handle);
}

} // namespace huevane
