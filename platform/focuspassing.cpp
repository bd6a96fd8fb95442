#include "platform/focuspassing.h"

#include <QWidget>

namespace huevane {

namespace {

QAccessibleInterface *FocusPassingFactory(const QString &className, QObject *object)
{
    // Asked for each class up from the object's own: a widget reaches QWidget
    // when no interface was made for a class of its own.
    if (className != QLatin1String("QWidget"))
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    return widget->focusProxy() ? new FocusPassingAccessible(widget) : nullptr;
}

} // namespace

QAccessible::State FocusPassingAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    // QWidget::hasFocus() follows the focus proxy, so the widget would report
    // the focus that its proxy holds.
    if (widget()->focusProxy()) {
        state.focused = false;
        state.focusable = false;
    }
    return state;
}

void InstallFocusPassingAccessibility()
{
    static const bool installed = (QAccessible::installFactory(FocusPassingFactory), true);
    Q_UNUSED(installed);
}

} // namespace huevane
