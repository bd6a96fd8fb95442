#include "platform/twips.h"

#include "engine/rounding.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace huevane {

namespace {

constexpr double StandardTwipsPerPixel = 15.0;

double TwipsPerPixelFor(double dotsPerInch)
{
    if (!(dotsPerInch > 0.0) || !std::isfinite(dotsPerInch))
        return StandardTwipsPerPixel;
    return 1440.0 / dotsPerInch;
}

QScreen *PrimaryScreen()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance())
        ? QGuiApplication::primaryScreen()
        : nullptr;
}

double Checked(double twipsPerPixel)
{
    return twipsPerPixel > 0.0 && std::isfinite(twipsPerPixel) ? twipsPerPixel
                                                               : StandardTwipsPerPixel;
}

} // namespace

double TwipsPerPixelX()
{
    QScreen *screen = PrimaryScreen();
    return screen ? TwipsPerPixelFor(screen->logicalDotsPerInchX()) : StandardTwipsPerPixel;
}

double TwipsPerPixelY()
{
    QScreen *screen = PrimaryScreen();
    return screen ? TwipsPerPixelFor(screen->logicalDotsPerInchY()) : StandardTwipsPerPixel;
}

int TwipsToPixels(double twips, double twipsPerPixel)
{
    return RoundHalfEven(twips / Checked(twipsPerPixel));
}

double PixelsToTwips(double pixels, double twipsPerPixel)
{
    return pixels * Checked(twipsPerPixel);
}

QRect TwipsRect(int left, int top, int width, int height)
{
    const double x = TwipsPerPixelX();
    const double y = TwipsPerPixelY();
    return QRect(TwipsToPixels(left, x), TwipsToPixels(top, y), TwipsToPixels(width, x),
                 TwipsToPixels(height, y));
}

} // namespace huevane
