#pragma once

#include <QSize>
#include <QString>

#include <cmath>

namespace huevane {

/// Resource paths of the window's art, as drawn for a device pixel ratio of 1.
/// The art generator draws each for every ratio of ArtRatios into its folder at
/// ArtFile() of ArtPath(), and the build embeds that folder at ":/".
inline constexpr char SkinImage[] = ":/images/skin.png";
inline constexpr char WindowIcon16[] = ":/images/window-icon-16.png";
inline constexpr char WindowIcon32[] = ":/images/window-icon-32.png";
inline constexpr char TrayIcon16[] = ":/images/tray-icon-16.png";
inline constexpr char GenerateTexture[] = ":/images/button-generate.png";
inline constexpr char ClipboardTexture[] = ":/images/button-clipboard.png";
inline constexpr char ExitTexture[] = ":/images/button-exit.png";

/// The device pixel ratios (device pixels to a pixel of the layout) that the art
/// is drawn for: at ratio r an image of w x h pixels has w·r x h·r, a part of a
/// pixel counting whole. The build's list (tools/artgen/art.cmake) is the same.
inline constexpr double ArtRatios[] = {1.0, 1.25, 1.5, 1.75, 2.0};

/// The device pixels that @p size pixels cover at device pixel @p ratio, a part
/// of a device pixel counting whole (a hair over a whole one, from rounding, not).
inline QSize DeviceSize(QSize size, double ratio)
{
    const auto device = [ratio](int length) { return int(std::ceil(length * ratio - 1e-9)); };
    return QSize(device(size.width()), device(size.height()));
}

/// The resource path of the image @p resourcePath drawn for @p ratio, one of
/// ArtRatios: @p resourcePath itself at 1, else with "@<ratio>x" before its
/// extension (":/images/skin@1.5x.png").
inline QString ArtPath(const QString &resourcePath, double ratio)
{
    QString path = resourcePath;
    if (ratio != 1.0)
        path.insert(path.lastIndexOf(QLatin1Char('.')), QStringLiteral("@%1x").arg(ratio));
    return path;
}

/// Where the art generator writes the image of resource path @p path, below its
/// folder.
inline QString ArtFile(const QString &path)
{
    return path.mid(2);
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
