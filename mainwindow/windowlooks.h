#pragma once

class QWidget;

namespace huevane {

/// Holds the looks of @p window against the desktop's: the window and every widget
/// in it when this is called are drawn in Qt's Fusion style with FixedPalette(); the
/// colours the layout gives a control are set on top of this palette. A palette,
/// style or colour scheme the desktop sets, before the window opens or while it is
/// open, changes none of them. Tooltips get FixedPalette() too, as the window opens.
/// Dialogs the window opens are windows of their own and keep the desktop's looks.
void HoldWindowLooks(QWidget *window);

} // namespace huevane
