#pragma once

#include <QIcon>
#include <QPixmap>

#include <initializer_list>

namespace huevane {

/// The art of @p resourcePath (one of windowlayout/art.h's paths) for a screen of
/// @p devicePixelRatio device pixels to a pixel: the image drawn for that ratio
/// where the build drew one (ArtRatios), else the next larger drawing, or the
/// largest, scaled smoothly to it. Its device pixel ratio is @p devicePixelRatio,
/// so it covers the pixels that the image at ratio 1 covers, one device pixel of
/// the image to each of the screen's. Null when the art is missing.
QPixmap ArtPixmap(const QString &resourcePath, qreal devicePixelRatio);

/// An icon of every image of @p resourcePaths at every ratio of ArtRatios, each
/// at its own size, for Qt to pick the one a place needs in device pixels.
QIcon ArtIcon(std::initializer_list<const char *> resourcePaths);

} // namespace huevane
