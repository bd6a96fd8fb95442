#pragma once

#include "mainwindow/layout.h"

class QLabel;
class QString;
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
///
/// Pictures and textures are drawn for @p parent's device pixel ratio.
QWidget *CreateControl(const LayoutEntry &entry, QWidget *parent);

/// Shows @p text in @p label, a label of the layout. One that grows
/// (LayoutEntry::growsTo) keeps its place and widens to the right as far as the
/// whole text needs, up to its limit, never narrower than designed; a text wider
/// still is set in its font condensed until it fits, so no digit is ever cut off.
void SetCaption(QLabel *label, const QString &text);

} // namespace huevane
