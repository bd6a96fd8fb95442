#pragma once

#include <QSize>
#include <QString>

namespace huevane {

/// Resource paths of the window's art. The art generator draws each into its
/// folder at ArtFile() of the path, and the build embeds that folder at ":/".
inline constexpr char SkinImage[] = ":/images/skin.png";
inline constexpr char WindowIcon16[] = ":/images/window-icon-16.png";
inline constexpr char WindowIcon32[] = ":/images/window-icon-32.png";
inline constexpr char TrayIcon16[] = ":/images/tray-icon-16.png";
inline constexpr char GenerateTexture[] = ":/images/button-generate.png";
inline constexpr char ClipboardTexture[] = ":/images/button-clipboard.png";
inline constexpr char ExitTexture[] = ":/images/button-exit.png";

/// Where the art generator writes the image of @p resourcePath, below its folder.
inline QString ArtFile(const char *resourcePath)
{
    return QString::fromLatin1(resourcePath).mid(2);
}

/// The skin's size in pixels; the window shows its top 632 x 450 pixels.
inline constexpr QSize SkinSize(632, 452);

/// The skin's title tabs fill the rows 0 to TitleTabBottom above the strip along
/// the top right of the outline: the light one, with the product's name, up to
/// column LightTabRight; the dark one right of it, with the maker's name centred
/// up to column DarkTabRight, where the outline starts to slope down.
inline constexpr int TitleTabBottom = 21;
inline constexpr int LightTabRight = 150;
inline constexpr int DarkTabRight = 337;

} // namespace huevane
