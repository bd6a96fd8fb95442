#pragma once

#include "engine/stops.h"

#include <QWidget>

#include <memory>

namespace huevane {

class GradientModel;

/// Paints @p gradient from left to right over @p rect, one colour for every
/// pixel column (at its place from 0 to 100%), as a text of type 1 takes it.
void PaintGradient(QPainter &painter, const QRect &rect, const StopGradient &gradient);

/// The colour of @p stop as six hexadecimal digits in capitals, RRGGBB.
QString StopHex(const Stop &stop);

/// What the model's gradient looks like, two colours in rgb included.
StopGradient ShownGradient(const GradientModel &model);

/// The gradient editor's bar: the model's gradient from 0 to 100%, with a
/// marker below it for every stop, and one of them selected.
///
/// With the mouse, a click on an empty place adds a stop with the colour the
/// gradient has there and selects it; a press on a marker selects it, and a drag
/// moves it, within 0 to 100 and between its neighbours; dragged off the bar
/// (DragOffDistance above or below it) it is gone, and back again when the
/// pointer returns before the button is released; a double click asks for its
/// colour. From the keyboard, Left and Right move the selected stop by 1% (with
/// Shift by 10%), Up and Down (Home and End) select the stop before or after it
/// (the first or the last), Insert adds a stop halfway to the next one, Delete
/// or Backspace removes the selected one, and Enter or Space asks for its
/// colour. There are never fewer than 2 stops nor more than 16. Places set
/// here are whole tenths of a percent.
class GradientBar : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int selected READ selected WRITE setSelected NOTIFY selectedChanged)

public:
    /// Where the gradient is painted, in pixels: this far in from the left and
    /// the right edge (room for half a marker), from this far down, this high.
    static constexpr int EndRoom = 7, GradientTop = 3, GradientHeight = 24;

    /// How far beyond the bar's top or bottom edge a dragged stop is gone, in pixels.
    static constexpr int DragOffDistance = 30;

    /// The bar of @p model's stops.
    explicit GradientBar(GradientModel *model, QWidget *parent = nullptr);
    ~GradientBar() override;

    /// The selected stop, from 0; the first by default, and always one of the stops.
    int selected() const;
    void setSelected(int index);

    /// The place of the selected stop, in percent.
    double selectedPlace() const;

    /// The rectangle the gradient is painted in, and the pixel column of the
    /// middle of stop @p index's marker.
    QRect gradientRect() const;
    int markerX(int index) const;

    /// Adds a stop at @p percent with the colour there and selects it; nothing
    /// when there are 16.
    void addStop(double percent);
    /// Removes the selected stop, where more than 2 are left.
    void removeSelected();
    /// Moves the selected stop by @p percent, between its neighbours.
    void moveSelected(double percent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void selectedChanged(int index);
    /// The user asks to choose the colour of stop @p index.
    void colourRequested(int index);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    double percentAt(int x) const;
    int markerAt(QPoint point) const;
    void dragTo(QPoint point);

    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace huevane
