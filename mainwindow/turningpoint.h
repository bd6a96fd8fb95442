#pragma once

#include "engine/gradientsettings.h"

#include <QObject>

namespace huevane {

class DrawingSurface;

/// The mouse on the third type preview, which shows the turning point of
/// gradient type 3: a drag with the left button moves the turning point to the
/// stripe under the pointer; the right button puts it in the middle of the text,
/// on the press of the whole text with its line breaks (CR LF) counted, while
/// moving of its characters alone.
class TurningPointDrag : public QObject
{
    Q_OBJECT

public:
    /// The drag on @p preview, which owns it, over the text of @p settings, which
    /// must outlive it.
    TurningPointDrag(DrawingSurface *preview, const GradientSettings &settings);

Q_SIGNALS:
    /// The turning point is to be @p centre, in stripes from the left edge.
    void centreMoved(qint32 centre);

    /// A mouse button was released: the drag, if any, is over.
    void released();

private:
    void mouseMove(int button, float x);

    DrawingSurface *m_preview;
    const GradientSettings &m_settings;
};

} // namespace huevane
