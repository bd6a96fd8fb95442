#pragma once

#include <QList>
#include <QPolygon>
#include <QRect>
#include <QString>

namespace huevane::artgen {

/// Twips per pixel at the screen scale the window is designed for (96 dots per inch).
inline constexpr int TwipsPerPixel = 15;

/// The skin's size in pixels; the window shows its top 632 x 450 pixels.
inline constexpr int SkinWidth = 632;
inline constexpr int SkinHeight = 452;

/// A rectangle given in twips, converted to whole pixels at TwipsPerPixel (rounded to nearest).
QRect TwipsToPixels(int left, int top, int width, int height);

/// The window's 44-vertex outline in pixels, in drawing order.
QPolygon WindowOutline();

/// What kind of control stands on a place of the skin; decides how the skin seats it.
enum class ControlKind {
    Label,   ///< transparent text or click area, drawn over the skin
    TextBox, ///< opaque edit field
    Picture, ///< opaque picture box or component strip
    Option,  ///< option button with a back colour of its own
    Check,   ///< check box with a back colour of its own
    Button,  ///< hot-tracking button, drawn with its texture
};

/// One control of the main window's layout, as the skin has to know it.
struct Control
{
    QString name; ///< objectName, "Name(index)" for array elements
    ControlKind kind = ControlKind::Label;
    QRect rect;      ///< pixels
    QString caption; ///< the text the control draws itself; empty for none
    bool bold = false;
    Qt::Alignment alignment = Qt::AlignLeft;
};

/// Every control of the main window, in pixels.
QList<Control> WindowControls();

/// The control named @p name; an empty Control when there is none.
Control FindControl(const QString &name);

/// Which colour panel: 0 start, 1 end, 2 background.
enum class Panel { Start, End, Background };

/// The names used for one colour panel's controls.
struct PanelNames
{
    QString title;         ///< the title the skin draws, "Start Color" etc.
    QString values;        ///< value fields, "txtStCol"
    QString strips;        ///< component strips, "lblStartCol"
    QString swatch;        ///< colour swatch, "picStartCol"
    QString presets;       ///< preset swatches, "lblStDefCol"
    QStringList rowLabels; ///< red, green and blue row labels
};

PanelNames NamesOf(Panel panel);

} // namespace huevane::artgen
