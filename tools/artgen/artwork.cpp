#include "artwork.h"

#include "buttontextures.h"
#include "icons.h"
#include "skin.h"

#include <QDir>
#include <QFileInfo>

namespace huevane::artgen {

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

} // namespace huevane::artgen
