#pragma once

#include "mainwindow/layout.h"

#include <QFont>

namespace huevane {

/// Maps the faces the window was designed with to installed faces of the same
/// metrics, so that text keeps its size and place: Arial and MS Sans Serif to
/// Liberation Sans, Tahoma to DejaVu Sans Condensed. Safe to call more than once.
void InstallFontSubstitutions();

/// The QFont of @p design, its size in points (fractions kept).
QFont MakeFont(const DesignedFont &design);

} // namespace huevane
