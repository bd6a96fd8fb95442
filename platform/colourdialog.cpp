#include "platform/colourdialog.h"

#include <QColorDialog>

namespace huevane {

ColourChooser::~ColourChooser() = default;

DialogColourChooser::~DialogColourChooser() = default;

std::optional<ColourValue> DialogColourChooser::chooseColour(ColourValue initial, QWidget *parent)
{
    const QPalette palette = parent ? parent->palette() : QPalette();
    const QColor chosen = QColorDialog::getColor(ResolveColour(initial, palette), parent);
    if (!chosen.isValid())
        return std::nullopt;
    return ToColourValue(chosen);
}

} // namespace huevane
