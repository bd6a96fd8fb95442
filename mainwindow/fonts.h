#pragma once

#include "windowlayout/controls.h"

#include <QFont>

namespace huevane {

/// Maps the faces the window was designed with to installed faces of the same
/// metrics, so that text keeps its size and place: Arial and MS Sans Serif to
/// Liberation Sans, Tahoma to DejaVu Sans Condensed. Safe to call more than once.
void InstallFontSubstitutions();

/// How wide MS Sans Serif sets its characters, in percent of the width of the
/// face it is mapped to at the same size.
inline constexpr int MsSansSerifStretch = 94;

/// The QFont of @p design, its size in points (fractions kept); MS Sans Serif
/// narrowed to MsSansSerifStretch.
QFont MakeFont(const DesignedFont &design);

} // namespace huevane
