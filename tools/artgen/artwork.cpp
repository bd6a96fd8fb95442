#include "artwork.h"

#include "buttontextures.h"
#include "icons.h"
#include "skin.h"
#include "windowlayout/art.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace huevane::artgen {

QList<Artwork> AllArtwork()
{
    QList<Artwork> art;
    for (const double ratio : ArtRatios) {
        const auto icon = [ratio](int size) { return int(std::lround(size * ratio)); };
        art << Artwork {ArtFile(ArtPath(SkinImage, ratio)), DrawSkin(ratio)}
            << Artwork {ArtFile(ArtPath(GenerateTexture, ratio)), GenerateButtonTexture(ratio)}
            << Artwork {ArtFile(ArtPath(ClipboardTexture, ratio)), ClipboardButtonTexture(ratio)}
            << Artwork {ArtFile(ArtPath(ExitTexture, ratio)), ExitButtonTexture(ratio)}
            << Artwork {ArtFile(ArtPath(WindowIcon16, ratio)), WindowIcon(icon(16))}
            << Artwork {ArtFile(ArtPath(WindowIcon32, ratio)), WindowIcon(icon(32))}
            << Artwork {ArtFile(ArtPath(TrayIcon16, ratio)), TrayIcon(icon(16))};
    }
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

} // namespace huevane::artgen
