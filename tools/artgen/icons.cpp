#include "icons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace huevane::artgen {

namespace {

int scaled(int size, double sixteenths)
{
    return std::max(1, int(std::lround(size * sixteenths / 16.0)));
}

// The letter as three rectangles on whole pixels: two stems and a bar. Its
// proportions are those of a 16-pixel grid (stems three wide, bar two high),
// rounded at each size so that no edge is blurred.
QPainterPath letterH(QRect box, int stem, int bar)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addRect(QRectF(box.left(), box.top(), stem, box.height()));
    path.addRect(QRectF(box.right() + 1 - stem, box.top(), stem, box.height()));
    const int barTop = box.top() + (box.height() - bar) / 2;
    path.addRect(QRectF(box.left() + stem, barTop, box.width() - 2 * stem, bar));
    return path.simplified();
}

QRect letterBox(int size, double marginX, double marginY)
{
    const int left = scaled(size, marginX);
    const int top = scaled(size, marginY);
    return QRect(left, top, size - 2 * left, size - 2 * top);
}

} // namespace

QImage WindowIcon(int size)
{
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF tile(0, 0, size, size);
    const double radius = size <= 16 ? 2.0 : size * 0.14;
    QRadialGradient blue(QPointF(size * 0.3, size * 0.2), size * 1.1);
    blue.setColorAt(0.0, QColor(34, 56, 140));
    blue.setColorAt(1.0, QColor(8, 14, 52));
    painter.setPen(Qt::NoPen);
    painter.setBrush(blue);
    painter.drawRoundedRect(tile, radius, radius);
    if (size >= 32) {
        const double line = size / 64.0;
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(140, 170, 255, 70), line));
        painter.drawRoundedRect(tile.adjusted(line / 2, line / 2, -line / 2, -line / 2),
                                radius - line / 2, radius - line / 2);
    }

    const QRect box = letterBox(size, 3.0, 3.0);
    const QPainterPath letter = letterH(box, scaled(size, 3.0), scaled(size, 2.0));
    if (size >= 32) {
        const double drop = size / 32.0;
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 110));
        painter.drawPath(letter.translated(drop, drop));
    }
    QLinearGradient fire(box.left(), 0, box.right() + 1, 0);
    fire.setColorAt(0.0, QColor(236, 20, 16));
    fire.setColorAt(1.0, QColor(255, 226, 24));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fire);
    painter.drawPath(letter);
    if (size >= 48) {
        // A soft sheen on the upper half of the letter.
        QLinearGradient sheen(0, box.top(), 0, box.top() + box.height() / 2.0);
        sheen.setColorAt(0.0, QColor(255, 255, 255, 55));
        sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
        painter.setBrush(sheen);
        painter.drawPath(letter);
    }
    painter.end();
    return icon;
}

QImage TrayIcon(int size)
{
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    const QRect box = letterBox(size, 3.0, 2.0);
    const QPainterPath letter = letterH(box, scaled(size, 3.0), scaled(size, 2.0));
    // A faint light halo keeps the dark end of the letter visible on dark panels.
    const int reach = scaled(size, 1.0);
    QPainterPath halo;
    for (QPoint offset : {QPoint(-reach, 0), QPoint(reach, 0), QPoint(0, -reach), QPoint(0, reach)})
        halo = halo.united(letter.translated(offset));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 80));
    painter.drawPath(halo.subtracted(letter));
    QLinearGradient sea(box.left(), 0, box.right() + 1, 0);
    sea.setColorAt(0.0, QColor(0, 16, 140));
    sea.setColorAt(1.0, QColor(0, 240, 255));
    painter.setBrush(sea);
    painter.drawPath(letter);
    painter.end();
    return icon;
}

} // namespace huevane::artgen
