#pragma once

#include <QImage>
#include <QList>
#include <QString>

namespace huevane::artgen {

/// One image of the program's art and where it lives below the resources folder.
struct Artwork
{
    QString path; ///< relative, with forward slashes, e.g. "images/skin.png"
    QImage image;
};

/// The sizes, in pixels, at which the application icon is installed.
inline constexpr int AppIconSizes[] = {16, 32, 48, 64, 128, 256};

/// Every image: the skin, the button textures and the window and tray icons, each
/// drawn for every device pixel ratio of ArtRatios, and the application icon at
/// each of AppIconSizes.
QList<Artwork> AllArtwork();

/// Writes every image below @p folder, creating subfolders. On failure returns
/// false and sets @p error.
bool WriteArtwork(const QString &folder, QString *error);

} // namespace huevane::artgen
