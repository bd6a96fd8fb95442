#pragma once

#include <QImage>

namespace huevane::artgen {

/// 'Generate': light brushed metal the size of its button, no alpha.
QImage GenerateButtonTexture();

/// 'Send to Clipboard': dark brushed metal the size of its button, no alpha.
QImage ClipboardButtonTexture();

/// 'Exit': dark brushed metal the size of its button, no alpha.
QImage ExitButtonTexture();

} // namespace huevane::artgen
