#pragma once

#include "platform/colourvalue.h"
#include "platform/keyaccess.h"

#include <QAccessible>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <memory>
#include <optional>

class QKeyEvent;
class QPainter;

namespace huevane {

/// A widget that keeps what is drawn on it. Everything is drawn into a kept
/// picture that covers the widget at the screen's device pixel ratio (a part of a
/// device pixel counting whole), so that it is as sharp as the screen at any
/// scale; repaints only show it, and a resize keeps what still fits and fills the
/// rest with the background.
///
/// Positions and sizes are in twips, converted to pixels with TwipsPerPixelX() and
/// TwipsPerPixelY() (ties to the even pixel). The drawing font is the widget's
/// font (QWidget::font()/setFont()).
///
/// While it holds the keyboard focus and the keyboard is in use (the focus came
/// by Tab or Shift+Tab, or a key was pressed on it since) it shows a dotted focus
/// mark at its edge, over what is drawn; a click alone shows none. The mark is
/// not part of image().
class DrawingSurface : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(huevane::ColourValue backColor READ backColor WRITE setBackColor)
    Q_PROPERTY(huevane::ColourValue foreColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(QPixmap picture READ picture WRITE setPicture)
    Q_PROPERTY(double currentX READ currentX WRITE setCurrentX)
    Q_PROPERTY(double currentY READ currentY WRITE setCurrentY)

public:
    explicit DrawingSurface(QWidget *parent = nullptr);
    ~DrawingSurface() override;

    /// Background colour. Default: window background (0x80000005). Setting it,
    /// even to the same value, wipes the surface to the new background and then
    /// shows the picture, if any.
    ColourValue backColor() const;
    void setBackColor(ColourValue colour);

    /// Text colour of print(). Default: window text (0x80000008).
    ColourValue foreColor() const;
    void setForeColor(ColourValue colour);

    /// Picture drawn at the top-left corner after every clear, at its own device
    /// pixel ratio (one of the screen's ratio shows pixel for pixel). Default:
    /// none. Setting it clears the surface.
    QPixmap picture() const;
    void setPicture(const QPixmap &picture);

    /// Docking alignment, 0 (none) to 4, kept for the host; the surface does not
    /// move itself. Default 0. Returns false, keeping the old value, for a value
    /// outside 0 to 4.
    int align() const;
    bool setAlign(int align);

    /// The drawing position in twips, where print() starts. Default (0, 0).
    double currentX() const;
    void setCurrentX(double twips);
    double currentY() const;
    void setCurrentY(double twips);

    /// The surface's width and height in twips.
    double scaleWidth() const;
    double scaleHeight() const;

    /// Draws the picture, if any, again at the top-left corner, over whatever is
    /// drawn there; the rest of the drawing stays.
    void showPicture();

    /// Wipes the surface to the background, then draws the picture, if any.
    void clear();

    /// Draws @p text with its top-left corner at the drawing position in the text
    /// colour, on a transparent background. Each further line (after CR LF or LF)
    /// starts at the same x, one line of the font lower; the drawing position
    /// moves to the end of the last line.
    void print(const QString &text);

    /// Width of @p text in the current font, in twips.
    double textWidth(const QString &text) const;
    /// Height of @p text in the current font, in twips: one line of the font for
    /// each line of the text, at least one.
    double textHeight(const QString &text) const;

    /// A one-pixel line from (x1, y1) to (x2, y2), both ends included; twips. A
    /// pixel is the widget's, as many device pixels as the device pixel ratio.
    void line(double x1, double y1, double x2, double y2, ColourValue colour);
    /// The one-pixel outline of the rectangle with corners (x1, y1) and (x2, y2),
    /// both corners included; twips.
    void rectangle(double x1, double y1, double x2, double y2, ColourValue colour);
    /// The rectangle with corners (x1, y1) and (x2, y2) filled, both included; twips.
    void fillRectangle(double x1, double y1, double x2, double y2, ColourValue colour);

    /// Bulk drawing straight onto the kept picture, in the widget's pixels (the
    /// painter scales them to device pixels), for drawing many items at once.
    /// beginPaint() returns a painter that stays active until endPaint(), which
    /// shows the result. Calls do not nest. SurfacePainter does both.
    QPainter *beginPaint();
    void endPaint();

    /// The colour that @p colour shows on this surface (system colours through
    /// its palette).
    QColor resolve(ColourValue colour) const;

    /// What the surface shows, one device pixel per pixel, with the device pixel
    /// ratio it was drawn for.
    QImage image() const;

    /// Mouse capture: while the surface holds it, it receives every mouse event
    /// of the application. setCapture() takes it (again) only when it is not held;
    /// releaseCapture() gives it back only when this surface holds it.
    void setCapture();
    void releaseCapture();
    bool hasCapture() const;

    /// What assistive technology is told the surface is: by default a graphic
    /// without actions. Each action is done by posting its key to the surface
    /// (PostKey()), so it does what that key does.
    QAccessible::Role accessibleRole() const;
    void setAccessibleRole(QAccessible::Role role);
    QList<KeyAction> keyActions() const;
    void setKeyActions(const QList<KeyAction> &actions);

    /// A position that assistive technology reads, as on a slider, or none (the
    /// default). A new current value is reported to it as a change of value; a
    /// value it sets is passed on by accessibleValueRequested().
    struct AccessibleRange
    {
        qint32 minimum = 0;
        qint32 maximum = 0;
        qint32 current = 0;
        bool operator==(const AccessibleRange &) const = default;
    };
    std::optional<AccessibleRange> accessibleRange() const;
    void setAccessibleRange(const std::optional<AccessibleRange> &range);

Q_SIGNALS:
    // Mouse input with the position in twips. Buttons: 1 left, 2 right, 4 middle,
    // as bits (mouseDown and mouseUp carry the one button that changed,
    // mouseMove all buttons held). Shift: 1 Shift, 2 Ctrl, 4 Alt, as bits.
    // Arguments are references: a handler connected directly that changes one
    // changes what later handlers receive.

    void mouseDown(int &button, int &shift, float &x, float &y);
    void mouseMove(int &button, int &shift, float &x, float &y);
    void mouseUp(int &button, int &shift, float &x, float &y);
    /// The left mouse button went down and came up again over the surface
    /// (after mouseUp); not for the second press of a double click.
    void click();
    /// The second press of a double click (it raises no mouseDown).
    void dblClick();
    /// A key went down on the surface: its Qt::Key and the modifiers as bits
    /// (as for the mouse). A handler that sets @p keyCode to 0 takes the key:
    /// nothing else sees it, and no keyPress() follows.
    void keyDown(int &keyCode, int &shift);
    /// A key with a character reached the surface: its character code, 0 to 255
    /// (Enter 13, Space 32).
    void keyPress(int &keyAscii);
    /// Assistive technology asks for @p value as the current value of the
    /// surface's accessible range (only while it has one). The value is as asked,
    /// not rounded nor checked against the range; the owner of the range moves
    /// it, or not.
    void accessibleValueRequested(double value);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    class Private;
    std::unique_ptr<Private> const d;
};

/// The character a key types, as key events carry it to hosts: 0 to 255, Enter
/// 13 (either Enter key), Space 32; 0 for a key without one or beyond 255.
int KeyAscii(const QKeyEvent &event);

/// The modifier keys held, as bits: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftBits(Qt::KeyboardModifiers modifiers);

/// Paints straight onto a surface's kept picture for as long as it lives, in
/// pixels; the surface shows the result when it ends. On a surface without
/// pixels the painting goes nowhere.
class SurfacePainter
{
public:
    explicit SurfacePainter(DrawingSurface &surface);
    ~SurfacePainter();
    SurfacePainter(const SurfacePainter &) = delete;
    SurfacePainter &operator=(const SurfacePainter &) = delete;

    QPainter &painter();

private:
    DrawingSurface &m_surface;
    QPainter *m_painter;
    QImage m_scratch;
    bool m_ownsPainter = false;
};

} // namespace huevane
