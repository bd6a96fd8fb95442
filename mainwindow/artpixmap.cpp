#include "artpixmap.h"

#include "windowlayout/art.h"

#include <QImage>
#include <QImageReader>

#include <cmath>

namespace huevane {

namespace {

// The drawn ratio to use at @p devicePixelRatio.
double DrawnRatio(qreal devicePixelRatio)
{
    for (const double ratio : ArtRatios) {
        if (ratio >= devicePixelRatio - 1e-6)
            return ratio;
    }
    return std::end(ArtRatios)[-1];
}

} // namespace

QPixmap ArtPixmap(const QString &resourcePath, qreal devicePixelRatio)
{
    const double drawn = DrawnRatio(devicePixelRatio);
    QImage image(ArtPath(resourcePath, drawn));
    if (image.isNull())
        return QPixmap();
    if (std::abs(drawn - devicePixelRatio) > 1e-6) {
        image = image.scaled(DeviceSize(QImageReader(resourcePath).size(), devicePixelRatio),
                             Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon ArtIcon(std::initializer_list<const char *> resourcePaths)
{
    // One image of each size: the small icon at twice its size is the large one.
    QIcon icon;
    QList<QSize> sizes;
    for (const char *path : resourcePaths) {
        for (const double ratio : ArtRatios) {
            const QString file = ArtPath(QString::fromLatin1(path), ratio);
            const QSize size = QImageReader(file).size();
            if (!size.isValid() || sizes.contains(size))
                continue;
            sizes.append(size);
            icon.addFile(file, size);
        }
    }
    return icon;
}

} // namespace huevane
