#include "typepreview.h"

#include "engine/rounding.h"
#include "platform/drawingsurface.h"
#include "platform/twips.h"

#include <QPainter>

namespace huevane {

namespace {

double dbl(float value)
{
    return static_cast<double>(value);
}

float component(const ColourTriplet &colour, int i)
{
    return i == 0 ? colour.red : i == 1 ? colour.green : colour.blue;
}

} // namespace

StripeStepper::StripeStepper(const StripeSettings &settings)
    : m_centre(settings.centre)
    , m_turns(settings.kind == RiseAndFall)
{
    const double n = settings.count;
    const double divisor = n - 1.0 > 0.0 ? n - 1.0 : n;
    const bool reversed = settings.kind == EndToStart;
    for (int c = 0; c < 3; ++c) {
        const float start = component(settings.start, c);
        const float end = component(settings.end, c);
        const double delta = reversed ? dbl(start) - dbl(end) : dbl(end) - dbl(start);
        m_step[c] = static_cast<float>(delta / divisor);
        const bool fromEnd = reversed || (m_turns && settings.centre <= 0);
        m_current[c] = fromEnd ? end : start;
    }
    if (m_turns) {
        const double up = settings.centre == 0 ? 1.0 : settings.centre;
        double down = RoundHalfEven(n - (static_cast<double>(settings.centre) + 2.0));
        if (down == 0.0)
            down = 1.0;
        m_rise = static_cast<float>(n / up);
        m_fall = static_cast<float>(n / down);
    }
}

quint32 StripeStepper::colour() const
{
    return PackColour(ColourTriplet {m_current[0], m_current[1], m_current[2]});
}

void StripeStepper::advance(qint64 stripe)
{
    for (int c = 0; c < 3; ++c) {
        double next;
        if (!m_turns)
            next = dbl(m_current[c]) + dbl(m_step[c]);
        else if (m_centre >= stripe)
            next = dbl(m_current[c]) + dbl(m_step[c]) * dbl(m_rise);
        else
            next = dbl(m_current[c]) - dbl(m_step[c]) * dbl(m_fall);
        m_current[c] = ClampComponent(static_cast<float>(next));
    }
}

QList<quint32> StripeColumns(const StripeSettings &settings, double widthTwips,
                             double twipsPerPixel, int columns)
{
    if (settings.count <= 0 || settings.kind < StartToEnd || settings.kind > RiseAndFall
        || columns <= 0)
        return {};

    QList<quint32> shown(columns, 0);
    QList<bool> starts(columns, false);
    StripeStepper stepper(settings);
    const double n = settings.count;
    const qint64 stripes = qint64(settings.count) + 1;
    for (qint64 i = 1; i <= stripes; ++i) {
        const float x = static_cast<float>(widthTwips / n * static_cast<double>(i - 1));
        const int column = TwipsToPixels(x, twipsPerPixel);
        if (column >= columns)
            break; // the stripes left start at or beyond the right edge
        if (column >= 0) {
            shown[column] = stepper.colour();
            starts[column] = true;
        }
        stepper.advance(i);
    }
    // Columns where no stripe starts show the stripe before them.
    for (int column = 1; column < columns; ++column) {
        if (!starts[column])
            shown[column] = shown[column - 1];
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
