#include "typepreview.h"

#include "engine/rounding.h"
#include "platform/drawingsurface.h"
#include "platform/twips.h"

#include <QPainter>

#include <limits>

namespace huevane {

namespace {

double dbl(float value)
{
    return static_cast<double>(value);
}

// ClampComponent, inline: it runs three times for each of up to millions of stripes.
float Clamp(float value)
{
    if (!(value > 0.0f))
        return 0.0f; // NaN too
    return value > 255.0f ? 255.0f : value;
}

float component(const ColourTriplet &colour, int i)
{
    return i == 0 ? colour.red : i == 1 ? colour.green : colour.blue;
}

} // namespace

StripeStepper::StripeStepper(const StripeSettings &settings)
    : m_centre(settings.centre)
{
    const double n = settings.count;
    const double divisor = n - 1.0 > 0.0 ? n - 1.0 : n;
    const bool reversed = settings.kind == EndToStart;
    const bool turns = settings.kind == RiseAndFall;
    float rise = 1.0f;
    float fall = 1.0f;
    if (turns) {
        const double up = settings.centre == 0 ? 1.0 : settings.centre;
        double down = RoundHalfEven(n - (static_cast<double>(settings.centre) + 2.0));
        if (down == 0.0)
            down = 1.0;
        rise = StoredFloat(n / up);
        fall = StoredFloat(n / down);
    }
    for (int c = 0; c < 3; ++c) {
        const float start = component(settings.start, c);
        const float end = component(settings.end, c);
        const double delta = reversed ? dbl(start) - dbl(end) : dbl(end) - dbl(start);
        const float step = StoredFloat(delta / divisor);
        const bool fromEnd = reversed || (turns && settings.centre <= 0);
        m_current[c] = fromEnd ? end : start;
        // The products are the same in every step, so they are taken once; adding
        // the negated product is the same as subtracting it.
        m_rising[c] = turns ? dbl(step) * dbl(rise) : dbl(step);
        m_falling[c] = turns ? -(dbl(step) * dbl(fall)) : dbl(step);
    }
    if (!turns)
        m_centre = std::numeric_limits<qint32>::max(); // always "rising": one fixed step
}

quint32 StripeStepper::colour() const
{
    return PackColour(ColourTriplet {m_current[0], m_current[1], m_current[2]});
}

void StripeStepper::advance(qint64 stripe)
{
    const double *step = m_centre >= stripe ? m_rising : m_falling;
    for (int c = 0; c < 3; ++c)
        m_current[c] = Clamp(static_cast<float>(dbl(m_current[c]) + step[c]));
}

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

std::optional<qint32> CentreFromDrag(double x, double widthTwips, qint32 count)
{
    if (x < 0.0 || x > widthTwips || count <= 0)
        return std::nullopt;
    const qint32 stripeWidth = RoundHalfEven(widthTwips / count);
    if (stripeWidth == 0)
        return std::nullopt;
    return RoundHalfEven(x / stripeWidth);
}

qint64 WholeTextLength(const GradientSettings &settings)
{
    return qint64(settings.totalChars) + LineBreak.size() * settings.text.count(LineBreak);
}

qint32 Middle(qint64 length)
{
    return RoundHalfEven(static_cast<double>(length) / 2.0);
}

} // namespace huevane
