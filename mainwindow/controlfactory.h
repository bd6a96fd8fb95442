#pragma once

#include "mainwindow/layout.h"

class QWidget;

namespace huevane {

/// Creates the control @p entry describes as a child of @p parent, at its place
/// and size, with its objectName, caption, colours, font, tooltip, cursor,
/// maximum length, read-only state, visibility and start selection:
///
/// | Kind         | Widget                                               |
/// |--------------|------------------------------------------------------|
/// | Label        | ClickLabel                                           |
/// | TextBox      | QLineEdit; TextBox when MultiLine                    |
/// | PictureBox   | DrawingSurface, without the keyboard focus           |
/// | OptionButton | QRadioButton without caption                         |
/// | CheckBox     | QCheckBox without caption                            |
/// | HotCommand   | HotCommand from StoredButtonProperties(entry.name)    |
QWidget *CreateControl(const LayoutEntry &entry, QWidget *parent);

} // namespace huevane
