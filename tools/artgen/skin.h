#pragma once

#include <QImage>

namespace huevane::artgen {

/// The main window's skin: SkinSize pixels of brushed metal without
/// alpha, with the title tabs, the framed panels, the preset squares, the swap bar,
/// the close mark and the recess for the bottom-right buttons, each under its controls.
/// Drawn for a device pixel @p ratio (default 1): SkinSize times @p ratio device
/// pixels, with that device pixel ratio.
QImage DrawSkin(double ratio = 1.0);

/// The skin with a mock-up of every control drawn at its place, for judging the
/// art by eye. With @p outlines each control's rectangle is outlined as well.
QImage DrawSkinPreview(bool outlines);

} // namespace huevane::artgen
