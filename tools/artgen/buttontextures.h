#pragma once

#include <QImage>

namespace huevane::artgen {

/// 'Generate': 110 x 20 pixels of light brushed metal, no alpha.
QImage GenerateButtonTexture();

/// 'Send to Clipboard': 110 x 20 pixels of dark brushed metal, no alpha.
QImage ClipboardButtonTexture();

/// 'Exit': 87 x 20 pixels of dark brushed metal, no alpha.
QImage ExitButtonTexture();

} // namespace huevane::artgen
