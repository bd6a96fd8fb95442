#pragma once

#include "windowlayout/art.h"
#include "windowlayout/controls.h"

#include <QVariantMap>

namespace huevane {

/// The stored properties the hot-tracking button @p name is created from, by the
/// keys of HotCommand::readProperties(), made from FindButtonLooks(); empty for any
/// other name. Colours are ColourValue, "Font" a QFont, "Picture" a QPixmap (the
/// texture drawn for a screen of @p devicePixelRatio, ArtPixmap()).
QVariantMap StoredButtonProperties(const QString &name, qreal devicePixelRatio);

} // namespace huevane
