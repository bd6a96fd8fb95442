#include "artwork.h"

#include "buttontextures.h"
#include "icons.h"
#include "skin.h"

#include <QDir>
#include <QFileInfo>

namespace huevane::artgen {

namespace {

// Icons keep their alpha; every other image is 24-bit. Comparing in one format
// keeps the check independent of how the PNG was stored.
QImage comparable(const QImage &image)
{
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                         : QImage::Format_RGB32);
}

} // namespace

QList<Artwork> AllArtwork()
{
    QList<Artwork> art {
        {QStringLiteral("images/skin.png"), DrawSkin()},
        {QStringLiteral("images/button-generate.png"), GenerateButtonTexture()},
        {QStringLiteral("images/button-clipboard.png"), ClipboardButtonTexture()},
        {QStringLiteral("images/button-exit.png"), ExitButtonTexture()},
        {QStringLiteral("images/window-icon-16.png"), WindowIcon(16)},
        {QStringLiteral("images/window-icon-32.png"), WindowIcon(32)},
        {QStringLiteral("images/tray-icon-16.png"), TrayIcon()},
    };
    for (int size : AppIconSizes) {
        art.append(
            {QStringLiteral("icons/hicolor/%1x%1/apps/io.github.huevane.Huevane.png").arg(size),
             WindowIcon(size)});
    }
    return art;
}

bool WriteArtwork(const QString &folder, QString *error)
{
    const QDir root(folder);
    const QList<Artwork> art = AllArtwork();
    for (const Artwork &artwork : art) {
        const QString path = root.filePath(artwork.path);
        if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
            *error = QStringLiteral("cannot create the folder of %1").arg(path);
            return false;
        }
        if (!artwork.image.save(path, "PNG")) {
            *error = QStringLiteral("cannot write %1").arg(path);
            return false;
        }
    }
    return true;
}

QStringList CompareArtwork(const QString &folder)
{
    QStringList differences;
    const QDir root(folder);
    const QList<Artwork> art = AllArtwork();
    for (const Artwork &artwork : art) {
        const QImage stored(root.filePath(artwork.path));
        if (stored.isNull()) {
            differences << QStringLiteral("%1: missing or unreadable").arg(artwork.path);
            continue;
        }
        if (stored.size() != artwork.image.size()) {
            differences << QStringLiteral("%1: %2 x %3 pixels, drawn %4 x %5")
                               .arg(artwork.path)
                               .arg(stored.width())
                               .arg(stored.height())
                               .arg(artwork.image.width())
                               .arg(artwork.image.height());
            continue;
        }
        if (stored.hasAlphaChannel() != artwork.image.hasAlphaChannel()) {
            differences << QStringLiteral("%1: alpha channel %2 in the file")
                               .arg(artwork.path,
                                    stored.hasAlphaChannel() ? QStringLiteral("present")
                                                             : QStringLiteral("missing"));
            continue;
        }
        const QImage a = comparable(stored);
        const QImage b = comparable(artwork.image);
        int differing = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                if (a.pixel(x, y) != b.pixel(x, y))
                    ++differing;
            }
        }
        if (differing > 0)
            differences << QStringLiteral("%1: %2 pixels differ").arg(artwork.path).arg(differing);
    }
    return differences;
}

} // namespace huevane::artgen
