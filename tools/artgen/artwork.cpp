#include "artwork.h"

#include "buttontextures.h"
#include "icons.h"
#include "skin.h"
#include "windowlayout/art.h"

#include <QDir>
#include <QFileInfo>

namespace huevane::artgen {

QList<Artwork> AllArtwork()
{
    QList<Artwork> art {
        {ArtFile(SkinImage), DrawSkin()},
        {ArtFile(GenerateTexture), GenerateButtonTexture()},
        {ArtFile(ClipboardTexture), ClipboardButtonTexture()},
        {ArtFile(ExitTexture), ExitButtonTexture()},
        {ArtFile(WindowIcon16), WindowIcon(16)},
        {ArtFile(WindowIcon32), WindowIcon(32)},
        {ArtFile(TrayIcon16), TrayIcon()},
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

} // namespace huevane::artgen
