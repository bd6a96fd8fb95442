#include "buttontextures.h"

#include "brushedmetal.h"
#include "windowlayout/controls.h"

#include <QPainter>

namespace huevane::artgen {

namespace {

// A plate of metal with a soft rounded bevel, so that the button reads as a
// button while it rests flat; the hover and pressed borders are drawn over it.
QImage plate(QSize size, const MetalTone &tone, std::uint32_t seed)
{
    QImage image = BrushedMetal(size, tone, seed);
    QPainter painter(&image);
    const QRectF bounds(0, 0, size.width(), size.height());

    QLinearGradient sheen(0, 0, 0, size.height());
    sheen.setColorAt(0.0, QColor(255, 255, 255, 70));
    sheen.setColorAt(0.45, QColor(255, 255, 255, 10));
    sheen.setColorAt(0.55, QColor(0, 0, 0, 0));
    sheen.setColorAt(1.0, QColor(0, 0, 0, 45));
    painter.fillRect(bounds, sheen);

    const int width = size.width();
    const int height = size.height();
    painter.fillRect(QRect(1, 0, width - 2, 1), QColor(255, 255, 255, 120));
    painter.fillRect(QRect(0, 1, 1, height - 2), QColor(255, 255, 255, 70));
    painter.fillRect(QRect(1, height - 1, width - 2, 1), QColor(0, 0, 0, 110));
    painter.fillRect(QRect(width - 1, 1, 1, height - 2), QColor(0, 0, 0, 90));
    // The corner pixels take the colour between their two edges, which rounds them a little.
    const QColor corner(0, 0, 0, 60);
    for (QPoint point :
         {QPoint(0, 0), QPoint(width - 1, 0), QPoint(0, height - 1), QPoint(width - 1, height - 1)})
        painter.fillRect(QRect(point, QSize(1, 1)), corner);
    painter.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

// A texture is the size of its button's control.
QSize buttonSize(const char *name)
{
    return DesignPixels(FindControl(QString::fromLatin1(name))->twips).size();
}

} // namespace

QImage GenerateButtonTexture()
{
    return plate(buttonSize("lblGenerate"), MetalTone {218, 6.0, 1}, 0x67656e31);
}

QImage ClipboardButtonTexture()
{
    return plate(buttonSize("lblClipboard"), MetalTone {78, 6.0, 3}, 0x636c6970);
}

QImage ExitButtonTexture()
{
    return plate(buttonSize("cmdExit"), MetalTone {78, 6.0, 3}, 0x65786974);
}

} // namespace huevane::artgen
