#include "windowlooks.h"

#include "platform/fixedpalette.h"

#include <QApplication>
#include <QPointer>
#include <QStyle>
#include <QStyleFactory>
#include <QToolTip>
#include <QWidget>

namespace huevane {

namespace {

// The style the window's controls are drawn in, one for the whole application.
QStyle *WindowStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = QStyleFactory::create(QStringLiteral("Fusion"));
        style->setParent(qApp);
    }
    return style;
}

} // namespace

void HoldWindowLooks(QWidget *window)
{
    QStyle *style = WindowStyle();
    window->setPalette(FixedPalette());
    window->setStyle(style);
    for (QWidget *widget : window->findChildren<QWidget *>())
        widget->setStyle(style);
    QToolTip::setPalette(FixedPalette());
}

} // namespace huevane
