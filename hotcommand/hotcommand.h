#pragma once

#include "platform/colourvalue.h"

#include <QFont>
#include <QPixmap>
#include <QWidget>

#include <memory>

class QPushButton;

namespace huevane {

class DrawingSurface;
class PropertyStore;

/// A command button that changes its look with the mouse: flat at rest, a raised
/// border and the hover colours while the pointer is over it, a sunken border,
/// the pressed colours and a caption shifted 30 twips right and 15 down while a
/// mouse button is held on it; the caption in the button-shadow colour while it
/// is disabled. It never shows a focus mark.
///
/// Everything is drawn on the inner surface picButton(), which fills the button
/// and holds the mouse capture while the pointer is over it. The hidden inner
/// button cmdMapped() only holds the caption. Events are raised synchronously,
/// with arguments by reference.
///
/// Every property setter reports the change through propertyChanged() with the
/// property's name; BackColor, ForeColor, Enabled, Font, Caption and Picture also
/// redraw the caption on the current background.
class HotCommand : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(ColourValue BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(ColourValue ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ Font WRITE setFont)
    Q_PROPERTY(qint16 Align READ Align WRITE setAlign)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QString ToolTipText READ ToolTipText WRITE setToolTipText)
    Q_PROPERTY(QPixmap Picture READ Picture WRITE setPicture)
    Q_PROPERTY(ColourValue BackColorHi READ BackColorHi WRITE setBackColorHi)
    Q_PROPERTY(ColourValue ForeColorHi READ ForeColorHi WRITE setForeColorHi)
    Q_PROPERTY(ColourValue BackColorDown READ BackColorDown WRITE setBackColorDown)
    Q_PROPERTY(ColourValue ForeColorDown READ ForeColorDown WRITE setForeColorDown)

public:
    /// A new button: caption "Command1", background application workspace
    /// (0x8000000C), caption window text (0x80000008), hover and pressed
    /// backgrounds button face (0x8000000F), their captions button text
    /// (0x80000012), enabled, no picture.
    explicit HotCommand(QWidget *parent = nullptr);
    /// A button created from stored properties (see readProperties()).
    explicit HotCommand(const PropertyStore &store, QWidget *parent = nullptr);
    ~HotCommand() override;

    /// Loads the thirteen stored keys in their order: "BackColor", "ForeColor",
    /// "Enabled", "Font", "Align", "Cancel", "Caption", "ToolTipText", "Picture",
    /// "BackColorHi", "ForeColorHi", "BackColorDown", "ForeColorDown". Font and
    /// Picture go through their setters (they redraw and report); the rest are
    /// applied without drawing or reporting. A value of the wrong type falls back
    /// to the key's default with a warning.
    void readProperties(const PropertyStore &store);
    /// Saves the thirteen keys in the same order, each left out when it holds its
    /// default.
    void writeProperties(PropertyStore &store) const;

    /// The background picButton shows: the resting background, or the hover or
    /// pressed background while that look shows. Setting it sets the resting
    /// background and shows it at once.
    ColourValue BackColor() const;
    void setBackColor(ColourValue New_BackColor);

    /// Caption colour of the resting look.
    ColourValue ForeColor() const;
    void setForeColor(ColourValue New_ForeColor);

    /// Whether the button responds to the mouse. Disabling it returns it to rest,
    /// releases the mouse capture and prints the caption in button shadow.
    bool Enabled() const;
    void setEnabled(bool New_Enabled);

    /// Caption font. Default: the container's ambient font.
    QFont Font() const;
    void setFont(const QFont &New_Font);

    /// Docking alignment of picButton, 0 to 4, passed on unchanged; the button
    /// keeps picButton at its full size whatever the value. Default 0. A value
    /// outside 0 to 4 is refused with a warning and not reported.
    qint16 Align() const;
    void setAlign(qint16 New_Align);

    /// The caption, held by cmdMapped. Printed centred; empty prints nothing.
    QString Caption() const;
    void setCaption(const QString &New_Caption);

    /// Tooltip of picButton. Default empty.
    QString ToolTipText() const;
    void setToolTipText(const QString &New_ToolTipText);

    /// Picture shown at the top-left corner under every look. Default none.
    QPixmap Picture() const;
    void setPicture(const QPixmap &New_Picture);

    /// Hover look: background (default button face) and caption colour (default
    /// button text). Nothing changes on screen until the next look is drawn.
    ColourValue BackColorHi() const;
    void setBackColorHi(ColourValue New_BackColorHi);
    ColourValue ForeColorHi() const;
    void setForeColorHi(ColourValue New_ForeColorHi);

    /// Pressed look: background (default button face) and caption colour
    /// (default button text). Nothing changes on screen until the next look.
    ColourValue BackColorDown() const;
    void setBackColorDown(ColourValue New_BackColorDown);
    ColourValue ForeColorDown() const;
    void setForeColorDown(ColourValue New_ForeColorDown);

    /// The background of the resting look.
    ColourValue NormalBackColor() const;

    /// Repaints picButton at once.
    void Refresh();

    DrawingSurface *picButton() const;
    QPushButton *cmdMapped() const;

Q_SIGNALS:
    /// A property changed; @p name is the property's name, e.g. "BackColor".
    void propertyChanged(const QString &name);

    /// picButton was clicked with the left mouse button, or Enter or Space was
    /// pressed on it; the resting look is already drawn and the capture released.
    void Click();
    void DblClick();
    /// Key events of the hidden inner button, which never takes the focus.
    /// Setting keyCode or keyAscii to 0 swallows the key.
    void KeyDown(int &keyCode, int &shift);
    void KeyPress(int &keyAscii);
    void KeyUp(int &keyCode, int &shift);
    /// Mouse events of picButton, after the look for them is drawn; buttons 1
    /// left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt; x and y in twips.
    void MouseDown(int &button, int &shift, float &x, float &y);
    void MouseMove(int &button, int &shift, float &x, float &y);
    void MouseUp(int &button, int &shift, float &x, float &y);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void DrawState(float X, float Y, int Button, ColourValue HotBackColor);
    void DrawCaption();

    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace huevane
