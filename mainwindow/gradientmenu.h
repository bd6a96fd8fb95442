#pragma once

#include "engine/stops.h"

#include <QIcon>

#include <functional>

class QMenu;
class QWidget;

namespace huevane {

class GradientModel;
class SavedPresets;

/// A small picture of @p gradient, as the lists of presets show it.
QIcon PresetIcon(const StopGradient &gradient);

/// The context menu of the type previews and the text preview, owned by
/// @p parent: "Edit gradient…" (@p editGradient, with the key @p editKey shown
/// beside it), the presets (built in, then the user's saved ones, each setting
/// @p model's stops, space and hue), "Delete saved preset" with the saved ones,
/// and the colour space, the model's checked.
QMenu *CreateGradientMenu(GradientModel *model, SavedPresets *saved,
                          const std::function<void()> &editGradient, const QKeySequence &editKey,
                          QWidget *parent);

} // namespace huevane
