#pragma once

#include "platform/colourvalue.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

namespace huevane {

/// The kinds of control the main window is made of.
enum class ControlKind {
    Label,      ///< a caption or a click area; transparent unless Opaque
    TextBox,    ///< one line, or several with a vertical scroll bar (MultiLine)
    PictureBox, ///< a DrawingSurface, which keeps what is drawn on it
    OptionButton,
    CheckBox,
    HotCommand, ///< a hot-tracking button made from StoredButtonProperties()
};

/// A font as the layout names it. The faces are those of the designed window;
/// InstallFontSubstitutions() maps them to installed ones of the same metrics.
struct DesignedFont
{
    QString face = QStringLiteral("MS Sans Serif");
    double pointSize = 8.25;
    bool bold = false;
    bool italic = false;

    friend bool operator==(const DesignedFont &, const DesignedFont &) = default;
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

/// One control of the main window. Positions and sizes are in twips from the
/// window's top-left corner.
struct LayoutEntry
{
    ControlKind kind = ControlKind::Label;
    QString name; ///< the objectName: "Name", or "Name(index)" in a control array
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    QString caption; ///< the caption of a label; empty for text boxes and click areas
    QString toolTip;
    std::optional<ColourValue> backColor; ///< none: the style's
    std::optional<ColourValue> foreColor; ///< none: the style's
    std::optional<DesignedFont> font;     ///< none: the window's font
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    int maxLength = 0; ///< characters a text box takes; 0 for no limit
    quint32 flags = 0; ///< ControlFlag bits
    QString picture;   ///< resource path of the picture of a picture box
};

/// Size of the window's client area in twips (632 x 450 pixels at 96 DPI).
inline constexpr int ClientWidthTwips = 9480;
inline constexpr int ClientHeightTwips = 6750;

/// The window's font, for every control that names none: MS Sans Serif 8.25 pt.
DesignedFont DefaultFont();

/// Resource paths of the window's art.
inline constexpr char SkinImage[] = ":/images/skin.png";
inline constexpr char WindowIcon16[] = ":/images/window-icon-16.png";
inline constexpr char WindowIcon32[] = ":/images/window-icon-32.png";
inline constexpr char TrayIcon16[] = ":/images/tray-icon-16.png";

/// Every control of the main window, in the order it is created (which is also
/// the order they stack in, later ones on top).
const QList<LayoutEntry> &WindowLayout();

/// The control called @p name in WindowLayout(), or nullptr.
const LayoutEntry *FindControl(const QString &name);

/// The array names of the controls of a colour panel.
struct ColourPanelNames
{
    QString fields;  ///< value fields 0 to 5
    QString strips;  ///< component strips 0 to 2
    QString swatch;  ///< the colour swatch (not an array)
    QString presets; ///< preset swatches 0 to 4
};

/// The names of colour panel @p number: 1 start, 2 end, 3 background.
ColourPanelNames PanelNames(int number);

/// The stored properties the hot-tracking button @p name is created from, by the
/// keys of HotCommand::readProperties(); empty for any other name. Colours are
/// ColourValue, "Font" a QFont, "Picture" a QPixmap (loaded from the resources).
QVariantMap StoredButtonProperties(const QString &name);

/// The names of the controls that take the keyboard focus, in tab order.
QStringList TabOrder();

/// "Name(index)": the objectName of element @p index of control array @p name.
QString ArrayElement(const QString &name, int index);

} // namespace huevane
