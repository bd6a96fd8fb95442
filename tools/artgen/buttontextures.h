#pragma once

#include <QImage>

namespace huevane::artgen {

/// 'Generate': light brushed metal the size of its button, no alpha. Each texture
/// is drawn for a device pixel @p ratio (default 1): its button's size times
/// @p ratio device pixels, a part of a pixel counting whole.
QImage GenerateButtonTexture(double ratio = 1.0);

/// 'Send to Clipboard': dark brushed metal the size of its button, no alpha.
QImage ClipboardButtonTexture(double ratio = 1.0);

/// 'Exit': dark brushed metal the size of its button, no alpha.
QImage ExitButtonTexture(double ratio = 1.0);

} // namespace huevane::artgen
