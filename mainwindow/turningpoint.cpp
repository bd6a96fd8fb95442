#include "turningpoint.h"

#include "engine/rounding.h"
#include "mainwindow/gradientmodel.h"
#include "mainwindow/typepreview.h"
#include "platform/drawingsurface.h"

#include <algorithm>
#include <cmath>

namespace huevane {

TurningPointDrag::TurningPointDrag(DrawingSurface *preview, const GradientModel *model)
    : QObject(preview)
    , m_preview(preview)
    , m_model(model)
{
    connect(preview, &DrawingSurface::mouseDown, this,
            [this](int &button, int &, float &, float &) {
                if (button == 2)
                    Q_EMIT centreMoved(Middle(m_model->preparedText().wholeTextLength()));
            });
    connect(preview, &DrawingSurface::mouseMove, this,
            [this](int &button, int &, float &x, float &) { mouseMove(button, x); });
    connect(preview, &DrawingSurface::mouseUp, this,
            [this](int &, int &, float &, float &) { Q_EMIT released(); });
    connect(preview, &DrawingSurface::keyDown, this,
            [this](int &keyCode, int &shift) { keyDown(keyCode, shift); });
    connect(preview, &DrawingSurface::accessibleValueRequested, this,
            &TurningPointDrag::valueRequested);
    preview->setKeyActions({PressAction(),
                            {QAccessibleActionInterface::increaseAction(), Qt::Key_Right},
                            {QAccessibleActionInterface::decreaseAction(), Qt::Key_Left},
                            {QStringLiteral("Put the turning point in the middle"), Qt::Key_Menu}});
}

void TurningPointDrag::keyDown(int &keyCode, int shift)
{
    const qint32 count = m_model->preparedText().totalChars();
    std::optional<qint32> centre;
    if (keyCode == Qt::Key_Menu || (keyCode == Qt::Key_F10 && shift == 1))
        centre = Middle(m_model->preparedText().wholeTextLength());
    else if (shift != 0 || count <= 0)
        return;
    else if (keyCode == Qt::Key_Left || keyCode == Qt::Key_Right)
        centre = qint32(std::clamp<qint64>(
            qint64(m_model->centre()) + (keyCode == Qt::Key_Left ? -1 : 1), 0, count));
    else if (keyCode == Qt::Key_Home || keyCode == Qt::Key_End)
        centre = keyCode == Qt::Key_Home ? 0 : count;
    if (!centre)
        return;
    keyCode = 0;
    moveTo(*centre);
}

void TurningPointDrag::valueRequested(double value)
{
    const qint32 count = m_model->preparedText().totalChars();
    if (count > 0 && !std::isnan(value))
        moveTo(RoundHalfEven(std::clamp(value, 0.0, double(count))));
}

void TurningPointDrag::moveTo(qint32 centre)
{
    Q_EMIT centreMoved(centre);
    Q_EMIT released();
}

void TurningPointDrag::mouseMove(int button, float x)
{
    if (button == 1) {
        const std::optional<qint32> centre =
            CentreFromDrag(x, m_preview->scaleWidth(), m_model->preparedText().totalChars());
        if (centre)
            Q_EMIT centreMoved(*centre);
    } else if (button == 2) {
        Q_EMIT centreMoved(Middle(m_model->preparedText().totalChars()));
    }
}

} // namespace huevane
