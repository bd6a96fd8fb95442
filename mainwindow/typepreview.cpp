#include "typepreview.h"

#include "platform/drawingsurface.h"
#include "platform/twips.h"

#include <QPainter>

#include <cmath>

namespace huevane {

QList<quint32> StripeColumns(const StripeSettings &settings, double widthTwips,
                             double twipsPerPixel, int columns)
{
    if (settings.count <= 0 || !IsGradientType(settings.gradient.type) || columns <= 0)
        return {};

    // Stripe i starts at the column its left edge x rounds to, and x never falls as
    // i grows, so the stripe a column shows is the last one that starts at or before
    // it: found by halving the range of stripes with the exact rounding, a few dozen
    // roundings per column rather than one per stripe. The colours are then stepped
    // from one column's stripe to the next in one go.
    // A preview of no width (or none that can be measured) has every stripe at
    // column 0, so each column shows the last stripe.
    const qint64 stripes = qint64(settings.count) + 1;
    const double stripeWidth = widthTwips / settings.count;
    const bool measured = stripeWidth > 0.0 && std::isfinite(stripeWidth);
    const auto column = [&](qint64 i) {
        const float x = static_cast<float>(stripeWidth * static_cast<double>(i - 1));
        return TwipsToPixels(static_cast<double>(x), twipsPerPixel);
    };
    QList<quint32> shown(columns, 0);
    StripeStepper stepper(settings);
    qint64 current = 1; // the stripe whose colour the stepper holds
    for (int c = 0; c < columns; ++c) {
        qint64 low = measured ? current : stripes, high = stripes;
        while (low < high) {
            const qint64 middle = low + (high - low + 1) / 2;
            if (column(middle) <= c)
                low = middle;
            else
                high = middle - 1;
        }
        stepper.advanceOver(current, low - current);
        current = low;
        shown[c] = stepper.colour();
    }
    return shown;
}

void PaintTypePreview(DrawingSurface &preview, const StripeSettings &settings)
{
    const QList<quint32> columns =
        StripeColumns(settings, preview.scaleWidth(), TwipsPerPixelX(), preview.width());
    if (columns.isEmpty())
        return;

    preview.clear();
    SurfacePainter surfacePainter(preview);
    QPainter &painter = surfacePainter.painter();
    const int height = preview.height();
    int runStart = 0;
    for (int column = 1; column <= columns.size(); ++column) {
        if (column < columns.size() && columns[column] == columns[runStart])
            continue;
        painter.fillRect(QRect(runStart, 0, column - runStart, height),
                         preview.resolve(columns[runStart]));
        runStart = column;
    }
}

} // namespace huevane
