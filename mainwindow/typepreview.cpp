#include "typepreview.h"

#include "platform/drawingsurface.h"
#include "platform/twips.h"

#include <QPainter>

namespace huevane {

QList<quint32> StripeColumns(const StripeSettings &settings, double widthTwips,
                             double twipsPerPixel, int columns)
{
    if (settings.count <= 0 || settings.kind < StartToEnd || settings.kind > RiseAndFall
        || columns <= 0)
        return {};

    // Stripe i starts at the column its left edge x rounds to. Only the last stripe
    // that starts in a column shows there, so a colour is packed once per column,
    // and the exact rounding runs only where x may have reached the next column.
    QList<quint32> shown(columns, 0);
    QList<bool> starts(columns, false);
    StripeStepper stepper(settings);
    const double n = settings.count;
    const qint64 stripes = qint64(settings.count) + 1;
    const auto leftEdge = [&](qint64 i) {
        return static_cast<double>(static_cast<float>(widthTwips / n * static_cast<double>(i - 1)));
    };
    int column = TwipsToPixels(leftEdge(1), twipsPerPixel);
    double nextColumnFrom = (column + 0.5) * twipsPerPixel;
    for (qint64 i = 1; i <= stripes && column < columns; ++i) {
        int next = column;
        if (i < stripes) {
            const double x = leftEdge(i + 1);
            if (x >= nextColumnFrom - 1e-9 * twipsPerPixel) {
                next = TwipsToPixels(x, twipsPerPixel);
                nextColumnFrom = (next + 0.5) * twipsPerPixel;
            }
        } else {
            next = columns; // no stripe follows the last one
        }
        if (next != column && column >= 0) {
            shown[column] = stepper.colour();
            starts[column] = true;
        }
        stepper.advance(i);
        column = next;
    }
    // Columns where no stripe starts show the stripe before them.
    for (int c = 1; c < columns; ++c) {
        if (!starts[c])
            shown[c] = shown[c - 1];
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
