#pragma once

#include <QObject>

namespace huevane {

class DrawingSurface;
class GradientModel;

/// The mouse and the keys on the third type preview, which shows the turning
/// point of gradient type 3: a drag with the left button moves the turning point
/// to the stripe under the pointer; the right button puts it in the middle of the
/// text, on the press of the whole text with its line breaks (CR LF) counted,
/// while moving of its characters alone.
///
/// From the keyboard, Left and Right move it one character, Home and End to the
/// first and the last, each within 0 to the count of characters and only when
/// there are characters, as a drag; the Menu key or Shift+F10, the keyboard's
/// right button, puts it in the middle as the right press does. Each key is a
/// whole drag: centreMoved() then released(). To assistive technology these are
/// the preview's increase, decrease and "Put the turning point in the middle"
/// actions, and a value it sets on the preview's range moves the turning point
/// there as those keys do: rounded half-even into 0 to the count of characters,
/// only when there are characters.
class TurningPointDrag : public QObject
{
    Q_OBJECT

public:
    /// The drag on @p preview, which owns it, over the text and the turning point
    /// of @p model, which must outlive it.
    TurningPointDrag(DrawingSurface *preview, const GradientModel *model);

Q_SIGNALS:
    /// The turning point is to be @p centre, in stripes from the left edge.
    void centreMoved(qint32 centre);

    /// A mouse button was released: the drag, if any, is over.
    void released();

private:
    void mouseMove(int button, float x);
    void keyDown(int &keyCode, int shift);
    void valueRequested(double value);
    void moveTo(qint32 centre);

    DrawingSurface *m_preview;
    const GradientModel *m_model;
};

} // namespace huevane
