#include "turningpoint.h"

#include "mainwindow/typepreview.h"
#include "platform/drawingsurface.h"

namespace huevane {

TurningPointDrag::TurningPointDrag(DrawingSurface *preview, const GradientSettings &settings)
    : QObject(preview)
    , m_preview(preview)
    , m_settings(settings)
{
    connect(preview, &DrawingSurface::mouseDown, this,
            [this](int &button, int &, float &, float &) {
                if (button == 2)
                    Q_EMIT centreMoved(Middle(WholeTextLength(m_settings)));
            });
    connect(preview, &DrawingSurface::mouseMove, this,
            [this](int &button, int &, float &x, float &) { mouseMove(button, x); });
    connect(preview, &DrawingSurface::mouseUp, this,
            [this](int &, int &, float &, float &) { Q_EMIT released(); });
}

void TurningPointDrag::mouseMove(int button, float x)
{
    if (button == 1) {
        const std::optional<qint32> centre =
            CentreFromDrag(x, m_preview->scaleWidth(), m_settings.totalChars);
        if (centre)
            Q_EMIT centreMoved(*centre);
    } else if (button == 2) {
        Q_EMIT centreMoved(Middle(m_settings.totalChars));
    }
}

} // namespace huevane
