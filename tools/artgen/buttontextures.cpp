#include "buttontextures.h"

#include "brushedmetal.h"
#include "windowlayout/art.h"
#include "windowlayout/controls.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace huevane::artgen {

namespace {

// A plate of metal with a soft rounded bevel, so that the button reads as a
// button while it rests flat; the hover and pressed borders are drawn over it.
// The bevel lies along the image's edges, a pixel of the layout wide (in whole
// device pixels) at any @p ratio.
QImage plate(QSize size, const MetalTone &tone, std::uint32_t seed, double ratio)
{
    const QSize device = DeviceSize(size, ratio);
    QImage image = BrushedMetal(device, tone, seed, ratio);
    QPainter painter(&image);
    const int width = device.width();
    const int height = device.height();
    const int edge = std::max(1, int(std::lround(ratio)));

    QLinearGradient sheen(0, 0, 0, height);
    sheen.setColorAt(0.0, QColor(255, 255, 255, 70));
    sheen.setColorAt(0.45, QColor(255, 255, 255, 10));
    sheen.setColorAt(0.55, QColor(0, 0, 0, 0));
    sheen.setColorAt(1.0, QColor(0, 0, 0, 45));
    painter.fillRect(QRectF(0, 0, width, height), sheen);

    painter.fillRect(QRect(edge, 0, width - 2 * edge, edge), QColor(255, 255, 255, 120));
    painter.fillRect(QRect(0, edge, edge, height - 2 * edge), QColor(255, 255, 255, 70));
    painter.fillRect(QRect(edge, height - edge, width - 2 * edge, edge), QColor(0, 0, 0, 110));
    painter.fillRect(QRect(width - edge, edge, edge, height - 2 * edge), QColor(0, 0, 0, 90));
    // The corner pixels take the colour between their two edges, which rounds them a little.
    const QColor corner(0, 0, 0, 60);
    for (QPoint point : {QPoint(0, 0), QPoint(width - edge, 0), QPoint(0, height - edge),
                         QPoint(width - edge, height - edge)})
        painter.fillRect(QRect(point, QSize(edge, edge)), corner);
    painter.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

// A texture is the size of its button's control.
QSize buttonSize(const char *name)
{
    return DesignPixels(FindControl(QString::fromLatin1(name))->twips).size();
}

} // namespace

QImage GenerateButtonTexture(double ratio)
{
    return plate(buttonSize("lblGenerate"), MetalTone {218, 6.0, 1}, 0x67656e31, ratio);
}

QImage ClipboardButtonTexture(double ratio)
{
    return plate(buttonSize("lblClipboard"), MetalTone {78, 6.0, 3}, 0x636c6970, ratio);
}

QImage ExitButtonTexture(double ratio)
{
    return plate(buttonSize("cmdExit"), MetalTone {78, 6.0, 3}, 0x65786974, ratio);
}

} // namespace huevane::artgen
