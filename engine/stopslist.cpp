#include "stopslist.h"

#include <QRegularExpression>

namespace huevane {

QString ParseStops(QStringView text, QList<Stop> &stops)
{
    static const QRegularExpression form(
        QStringLiteral("^#?([0-9A-Fa-f]{6})(?:@([0-9]+(?:\\.[0-9]*)?|\\.[0-9]+))?$"));
    const QList<QStringView> items = text.split(u',');
    stops.clear();
    QList<bool> placed;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString named = QStringLiteral("stop %1, '%2',").arg(i + 1).arg(items[i]);
        if (i == MostStops)
            return named + QStringLiteral(" is one too many: give 2 to %1 stops").arg(MostStops);
        const auto match = form.match(items[i]);
        if (!match.hasMatch())
            return named
                + QStringLiteral(" is not a stop: give RRGGBB or #RRGGBB, optionally "
                                 "followed by @ and a percentage");
        const uint rgb = match.capturedView(1).toUInt(nullptr, 16);
        const bool hasPosition = match.hasCaptured(2);
        const double position = hasPosition ? match.capturedView(2).toDouble() : 0.0;
        if (position > 100.0)
            return named + QStringLiteral(" lies past 100%");
        for (qsizetype k = i - 1; hasPosition && k >= 0; --k) {
            if (placed[k] && stops[k].position > position)
                return named
                    + QStringLiteral(" lies before stop %1 at %2%")
                          .arg(k + 1)
                          .arg(stops[k].position);
        }
        stops.append({quint8(rgb >> 16), quint8(rgb >> 8), quint8(rgb), position});
        placed.append(hasPosition);
    }
    if (stops.size() < FewestStops)
        return QStringLiteral("stop 1, '%1', is the only one: give 2 to %2 stops")
            .arg(items[0])
            .arg(MostStops);

    // As in CSS: the ends at 0 and 100 unless placed, the others spread evenly
    // between the placed stops around them.
    if (!placed.first())
        stops.first().position = 0.0, placed.first() = true;
    if (!placed.last())
        stops.last().position = 100.0, placed.last() = true;
    for (qsizetype from = 0, to = 1; to < stops.size(); ++to) {
        if (!placed[to])
            continue;
        const double a = stops[from].position;
        const double b = stops[to].position;
        for (qsizetype k = from + 1; k < to; ++k)
            stops[k].position = a + (b - a) * double(k - from) / double(to - from);
        from = to;
    }
    return {};
}

} // namespace huevane
