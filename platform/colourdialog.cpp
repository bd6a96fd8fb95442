#include "platform/colourdialog.h"

#include <QColorDialog>

namespace huevane {

ColourChooser::~ColourChooser() = default;

DialogColourChooser::~DialogColourChooser() = default;

std::optional<ColourValue> DialogColourChooser::chooseColour(ColourValue initial, QWidget *parent)
{
    // Qt's own dialog, whatever the desktop's theme offers: it starts on the given
    // colour and always shows the custom colours.
    const QColor chosen = QColorDialog::getColor(ResolveColour(initial), parent, QString(),
                                                 QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid())
        return std::nullopt;
    return ToColourValue(chosen);
}

} // namespace huevane
