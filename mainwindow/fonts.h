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

/// The face colour emoji come from where a font lacks them.
inline constexpr char ColourEmojiFace[] = "Noto Color Emoji";

/// The text preview's font made from @p font: measured as a line drawn a
/// character at a time is drawn, without kerning or ligatures between
/// neighbours, and with ColourEmojiFace next in line for characters @p font lacks
/// (an emoji, its skin tone and the others it joins with then come from one face).
QFont TextPreviewFont(QFont font);

} // namespace huevane
