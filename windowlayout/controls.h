#pragma once

#include "engine/colour.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>

namespace huevane {

/// The kinds of control the main window is made of.
enum class ControlKind {
    Label,      ///< a caption or a click area; transparent unless Opaque
    TextBox,    ///< one line, or several with a vertical scroll bar (MultiLine)
    PictureBox, ///< a drawing surface, which keeps what is drawn on it
    OptionButton,
    CheckBox,
    HotCommand, ///< a hot-tracking button with the looks of FindButtonLooks()
};

/// A font as the layout names it. The faces are those of the designed window;
/// the window maps them to installed ones of the same metrics.
struct DesignedFont
{
    const char *face = "MS Sans Serif";
    double pointSize = 8.25;
    bool bold = false;
    bool italic = false;
};

/// Looks and states of a control, as bits of LayoutEntry::flags.
enum ControlFlag : quint32 {
    Hidden = 0x1,         ///< never shown
    ReadOnly = 0x2,       ///< text box the user cannot type into
    MultiLine = 0x4,      ///< text box of several lines with a vertical scroll bar
    Bordered = 0x8,       ///< thin single-line border
    Opaque = 0x40,        ///< label that fills its background with its back colour
    Selected = 0x10,      ///< option button selected when the window opens
    SizeHorCursor = 0x20, ///< west-east sizing arrow as mouse pointer
};

/// One control of the main window.
struct LayoutEntry
{
    ControlKind kind = ControlKind::Label;
    QString name {};    ///< the objectName: "Name", or "Name(index)" in a control array
    QRect twips {};     ///< place and size in twips from the window's top-left corner
    QString caption {}; ///< the caption of a label; empty for text boxes and click areas
    QString toolTip {};
    std::optional<ColourValue> backColor {}; ///< none: the style's
    std::optional<ColourValue> foreColor {}; ///< none: the style's
    std::optional<DesignedFont> font {};     ///< none: the window's font
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    int maxLength = 0;  ///< characters a text box takes; 0 for no limit
    int growsTo = 0;    ///< a label that widens to the right as its caption needs, up to
                        ///< this x in twips; 0 for one that keeps its width
    quint32 flags = 0;  ///< ControlFlag bits
    QString picture {}; ///< resource path of the picture of a picture box
    /// What assistive technology calls the control ("Start Color, red, decimal");
    /// empty for a caption, which its text names.
    QString accessibleName {};
};

/// Size of the window's client area in twips (632 x 450 pixels at 96 DPI).
inline constexpr int ClientWidthTwips = 9480;
inline constexpr int ClientHeightTwips = 6750;

/// Twips per pixel at the screen scale the window and its art are designed for
/// (96 dots per inch).
inline constexpr int DesignTwipsPerPixel = 15;

/// @p twips in whole pixels at DesignTwipsPerPixel, the nearest whole number.
int DesignPixels(int twips);

/// A rectangle in twips in pixels at DesignTwipsPerPixel; each of its four values
/// is converted on its own.
QRect DesignPixels(const QRect &twips);

/// The window's font, for every control that names none: MS Sans Serif 8.25 pt.
DesignedFont DefaultFont();

/// Every control of the main window, in the order it is created (which is also
/// the order they stack in, later ones on top).
const QList<LayoutEntry> &WindowLayout();

/// The control called @p name in WindowLayout(), or nullptr.
const LayoutEntry *FindControl(const QString &name);

/// The names of the controls of a colour panel.
struct ColourPanelNames
{
    QString title;         ///< the title the skin draws over the panel, "Start Color" etc.
    QString fields;        ///< array of value fields 0 to 5
    QString strips;        ///< array of component strips 0 to 2
    QString swatch;        ///< the colour swatch (not an array)
    QString presets;       ///< array of preset swatches 0 to 4
    QStringList rowLabels; ///< the captions of the red, green and blue rows
};

/// The names of colour panel @p number: 1 start, 2 end, 3 background.
ColourPanelNames PanelNames(int number);

/// The title the skin draws over the option buttons and type previews.
inline constexpr char GradientPanelTitle[] = "Gradient Type";

/// The looks a hot-tracking button is created with. The colours for hovering and
/// pressing that are not given keep the button's defaults.
struct ButtonLooks
{
    const char *name;
    const char *caption;
    ColourValue back;
    ColourValue fore;
    std::optional<ColourValue> backHi;
    ColourValue foreHi;
    std::optional<ColourValue> backDown;
    ColourValue foreDown;
    const char *picture; ///< resource path of its texture, the size of the control
};

/// The looks of the hot-tracking button @p name, or nullptr for any other name.
const ButtonLooks *FindButtonLooks(const QString &name);

/// The names of the controls that take the keyboard focus, in tab order: the
/// designed window's order first, then the click areas that the keyboard reaches
/// too (presets, swap, the close mark). Picture boxes and labels take the focus
/// from the keyboard only when they are listed here.
QStringList TabOrder();

/// "Name(index)": the objectName of element @p index of control array @p name.
QString ArrayElement(const QString &name, int index);

} // namespace huevane
