#pragma once

#include <QAccessibleWidget>

namespace huevane {

/// A widget that passes its keyboard focus on to another, its focus proxy (a
/// hot-tracking button to its surface, a scrolling box's viewport to the box),
/// as assistive technology sees it: neither focusable nor focused, whatever
/// QWidget::hasFocus() says of it, so that only the widget that takes the focus
/// reports it. Otherwise as QAccessibleWidget, with its role (default Client).
class FocusPassingAccessible : public QAccessibleWidget
{
public:
    using QAccessibleWidget::QAccessibleWidget;

    QAccessible::State state() const override;
};

/// Makes assistive technology see every widget that has a focus proxy and no
/// interface of its own class (such as a plain QWidget) as a
/// FocusPassingAccessible. Once per process; later calls do nothing.
void InstallFocusPassingAccessibility();

} // namespace huevane
