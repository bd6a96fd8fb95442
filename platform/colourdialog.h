#pragma once

#include "platform/colourvalue.h"

#include <optional>

class QWidget;

namespace huevane {

/// Asks the user for a colour. An interface, so that tests can answer without a
/// modal window.
class ColourChooser
{
public:
    virtual ~ColourChooser();

    /// The colour the user chose, starting from @p initial; std::nullopt when the
    /// user cancelled. @p parent is the window the question belongs to.
    virtual std::optional<ColourValue> chooseColour(ColourValue initial, QWidget *parent) = 0;
};

/// The colour chooser of the desktop: a modal QColorDialog started on the initial
/// colour, with the dialog's custom colours available.
class DialogColourChooser : public ColourChooser
{
public:
    ~DialogColourChooser() override;

    std::optional<ColourValue> chooseColour(ColourValue initial, QWidget *parent) override;
};

} // namespace huevane
