#pragma once

#include "platform/colourvalue.h"

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
/// is disabled. While it holds the keyboard focus, its surface shows a dotted
/// focus mark over every look.
///
/// Everything is drawn on the inner surface picButton(), which fills the button
/// and holds the mouse capture while the pointer is over it. The hidden inner
/// button cmdMapped() only holds the caption. Events are raised synchronously,
/// with arguments by reference, under the names hosts know them by. To assistive
/// technology the surface is a push button named by the caption, whose press
/// action is the Space key.
///
/// Every property setter reports the change through propertyChanged() with the
/// property's stored key and emits the property's own change signal; backColor,
/// foreColor, caption and picture also redraw the caption on the current
/// background. QWidget's enabled state and font serve as the button's own, by
/// whatever route they change: a change of either redraws the caption, and a
/// change of the button's own enabled state or of its font reports "Enabled" or
/// "Font" (a disabled container changes the look only).
class HotCommand : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(
        huevane::ColourValue backColor READ backColor WRITE setBackColor NOTIFY backColorChanged)
    Q_PROPERTY(
        huevane::ColourValue foreColor READ foreColor WRITE setForeColor NOTIFY foreColorChanged)
    Q_PROPERTY(qint16 align READ align WRITE setAlign NOTIFY alignChanged)
    Q_PROPERTY(QString caption READ caption WRITE setCaption NOTIFY captionChanged)
    Q_PROPERTY(QString toolTipText READ toolTipText WRITE setToolTipText NOTIFY toolTipTextChanged)
    Q_PROPERTY(QPixmap picture READ picture WRITE setPicture NOTIFY pictureChanged)
    Q_PROPERTY(huevane::ColourValue backColorHi READ backColorHi WRITE setBackColorHi NOTIFY
                   backColorHiChanged)
    Q_PROPERTY(huevane::ColourValue foreColorHi READ foreColorHi WRITE setForeColorHi NOTIFY
                   foreColorHiChanged)
    Q_PROPERTY(huevane::ColourValue backColorDown READ backColorDown WRITE setBackColorDown NOTIFY
                   backColorDownChanged)
    Q_PROPERTY(huevane::ColourValue foreColorDown READ foreColorDown WRITE setForeColorDown NOTIFY
                   foreColorDownChanged)

public:
    /// A new button: caption "Command1", background application workspace
    /// (0x8000000C), caption window text (0x80000008), hover and pressed
    /// backgrounds button face (0x8000000F), their captions button text
    /// (0x80000012), enabled, the parent's font, no picture.
    explicit HotCommand(QWidget *parent = nullptr);
    /// A button created from stored properties (see readProperties()).
    explicit HotCommand(const PropertyStore &store, QWidget *parent = nullptr);
    ~HotCommand() override;

    /// Loads the thirteen stored keys in their order: "BackColor", "ForeColor",
    /// "Enabled", "Font", "Align", "Cancel", "Caption", "ToolTipText", "Picture",
    /// "BackColorHi", "ForeColorHi", "BackColorDown", "ForeColorDown". The font
    /// and the picture redraw and report; the rest are applied without drawing
    /// or reporting. A value of the wrong type falls back to the key's default
    /// (for "Font" the store's ambient font) with a warning.
    void readProperties(const PropertyStore &store);
    /// Saves the thirteen keys in the same order, each left out when it holds its
    /// default.
    void writeProperties(PropertyStore &store) const;

    /// The background picButton shows: the resting background, or the hover or
    /// pressed background while that look shows. Setting it sets the resting
    /// background and shows it at once.
    ColourValue backColor() const;
    void setBackColor(ColourValue colour);

    /// Caption colour of the resting look.
    ColourValue foreColor() const;
    void setForeColor(ColourValue colour);

    /// Docking alignment of picButton, 0 to 4, passed on unchanged; the button
    /// keeps picButton at its full size whatever the value. Default 0. A value
    /// outside 0 to 4 is refused with a warning and not reported.
    qint16 align() const;
    void setAlign(qint16 align);

    /// The caption, held by cmdMapped. Printed centred; empty prints nothing.
    QString caption() const;
    void setCaption(const QString &caption);

    /// Tooltip of picButton. Default empty.
    QString toolTipText() const;
    void setToolTipText(const QString &text);

    /// Picture shown at the top-left corner under every look. Default none.
    QPixmap picture() const;
    void setPicture(const QPixmap &picture);

    /// Hover look: background (default button face) and caption colour (default
    /// button text). Nothing changes on screen until the next look is drawn.
    ColourValue backColorHi() const;
    void setBackColorHi(ColourValue colour);
    ColourValue foreColorHi() const;
    void setForeColorHi(ColourValue colour);

    /// Pressed look: background (default button face) and caption colour
    /// (default button text). Nothing changes on screen until the next look.
    ColourValue backColorDown() const;
    void setBackColorDown(ColourValue colour);
    ColourValue foreColorDown() const;
    void setForeColorDown(ColourValue colour);

    /// The background of the resting look.
    ColourValue normalBackColor() const;

    /// Repaints picButton at once.
    void refresh();

    /// The size of a push button with the same caption and font, and at least
    /// the picture's size.
    QSize sizeHint() const override;

    DrawingSurface *picButton() const;
    QPushButton *cmdMapped() const;

Q_SIGNALS:
    /// A property changed; @p key is its stored key, e.g. "BackColor".
    void propertyChanged(const QString &key);

    void backColorChanged(huevane::ColourValue colour);
    void foreColorChanged(huevane::ColourValue colour);
    void alignChanged(qint16 align);
    void captionChanged(const QString &caption);
    void toolTipTextChanged(const QString &text);
    void pictureChanged(const QPixmap &picture);
    void backColorHiChanged(huevane::ColourValue colour);
    void foreColorHiChanged(huevane::ColourValue colour);
    void backColorDownChanged(huevane::ColourValue colour);
    void foreColorDownChanged(huevane::ColourValue colour);

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
    void connectSurface();
    void drawState(float x, float y, int buttons, ColourValue hotBackColor);
    void drawCaption();

    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace huevane
