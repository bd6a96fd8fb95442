#include "stopslist.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>

namespace huevane {

namespace {

// The place of stop @p k of @p n (from 0) spread evenly from @p a to @p b, as
// both reading and writing work it out.
double Spread(double a, double b, qsizetype k, qsizetype n)
{
    return a + (b - a) * double(k) / double(n);
}

// As in CSS: the ends at 0 and 100 unless placed, a place below an earlier one
// raised to it, and the others spread evenly between the placed stops around them.
void PlaceStops(QList<Stop> &stops, QList<bool> &placed)
{
    if (!placed.first())
        stops.first().position = 0.0, placed.first() = true;
    if (!placed.last())
        stops.last().position = 100.0, placed.last() = true;
    double highest = 0.0;
    for (qsizetype k = 0; k < stops.size(); ++k) {
        if (placed[k])
            highest = stops[k].position = std::max(stops[k].position, highest);
    }
    for (qsizetype from = 0, to = 1; to < stops.size(); ++to) {
        if (!placed[to])
            continue;
        for (qsizetype k = from + 1; k < to; ++k)
            stops[k].position =
                Spread(stops[from].position, stops[to].position, k - from, to - from);
        from = to;
    }
}

QString TooFewOrMany(qsizetype count, QStringView first)
{
    if (count == 1)
        return QStringLiteral("stop 1, '%1', is the only one: give 2 to %2 stops")
            .arg(first)
            .arg(MostStops);
    return QStringLiteral("there are %1 stops: give 2 to %2").arg(count).arg(MostStops);
}

// The items of a CSS function's arguments, split at the commas outside brackets.
QList<QStringView> Arguments(QStringView inner)
{
    QList<QStringView> items;
    int depth = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < inner.size(); ++i) {
        if (inner[i] == u'(')
            ++depth;
        else if (inner[i] == u')')
            --depth;
        else if (inner[i] == u',' && depth == 0)
            items.append(inner.sliced(start, i - start).trimmed()), start = i + 1;
    }
    items.append(inner.sliced(start).trimmed());
    return items;
}

bool IsDirection(QStringView item)
{
    static const QRegularExpression angle(
        QStringLiteral("^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)(deg|grad|rad|turn)$"),
        QRegularExpression::CaseInsensitiveOption);
    return item.startsWith(u"to ", Qt::CaseInsensitive) || angle.match(item).hasMatch();
}

// Reads one colour stop of a linear-gradient: a colour and up to two places.
QString ReadCssStop(QStringView item, qsizetype number, QList<Stop> &stops, QList<bool> &placed)
{
    static const QRegularExpression hex(QStringLiteral("^#([0-9A-Fa-f]{3}|[0-9A-Fa-f]{6})$"));
    static const QRegularExpression withAlpha(QStringLiteral("^#([0-9A-Fa-f]{4}|[0-9A-Fa-f]{8})$"));
    static const QRegularExpression percentage(
        QStringLiteral("^([+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+))%$"));
    const QString named = QStringLiteral("stop %1, '%2',").arg(number).arg(item);
    const QList<QStringView> words = item.split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return named + QStringLiteral(" is empty");
    if (percentage.match(words.first()).hasMatch())
        return named + QStringLiteral(" is a hint between colours, which is not read");
    if (withAlpha.match(words.first()).hasMatch())
        return named + QStringLiteral(" has transparency, which a colour of a text cannot show");
    const auto colour = hex.match(words.first());
    if (!colour.hasMatch())
        return named + QStringLiteral(" is not a hexadecimal colour: give #RGB or #RRGGBB");
    QString digits = colour.captured(1);
    if (digits.size() == 3)
        digits = QString(digits[0]).repeated(2) + QString(digits[1]).repeated(2)
            + QString(digits[2]).repeated(2);
    const uint rgb = digits.toUInt(nullptr, 16);
    const Stop stop {quint8(rgb >> 16), quint8(rgb >> 8), quint8(rgb), 0.0};
    if (words.size() > 3)
        return named + QStringLiteral(" has more than two places");
    if (words.size() == 1) {
        stops.append(stop), placed.append(false);
        return {};
    }
    for (qsizetype w = 1; w < words.size(); ++w) {
        const auto place = percentage.match(words[w]);
        if (!place.hasMatch() && words[w] != u"0")
            return named + QStringLiteral(" has a place that is not a percentage");
        const double position = place.hasMatch() ? place.capturedView(1).toDouble() : 0.0;
        if (position < 0.0 || position > 100.0)
            return named + QStringLiteral(" lies outside 0% to 100%");
        stops.append({stop.red, stop.green, stop.blue, position}), placed.append(true);
    }
    return {};
}

QString ParseLinearGradient(QStringView inner, QList<Stop> &stops)
{
    QList<QStringView> items = Arguments(inner);
    if (!items.isEmpty()
        && (items.first().startsWith(u"in ", Qt::CaseInsensitive)
            || items.first().contains(u" in ", Qt::CaseInsensitive)))
        return QStringLiteral("'%1' names a space to mix in, which is not read: choose the "
                              "colour space apart")
            .arg(items.first());
    if (!items.isEmpty() && IsDirection(items.first()))
        items.removeFirst();
    QList<bool> placed;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (const QString problem = ReadCssStop(items[i], i + 1, stops, placed); !problem.isEmpty())
            return problem;
    }
    if (stops.size() < FewestStops || stops.size() > MostStops)
        return TooFewOrMany(stops.size(), items.value(0));
    PlaceStops(stops, placed);
    return {};
}

} // namespace

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
        return TooFewOrMany(stops.size(), items[0]);
    PlaceStops(stops, placed);
    return {};
}

QString ParseGradientText(QStringView text, QList<Stop> &stops)
{
    stops.clear();
    QStringView trimmed = text.trimmed();
    if (trimmed.endsWith(u';'))
        trimmed = trimmed.chopped(1).trimmed();
    static const QLatin1StringView css("linear-gradient(");
    if (trimmed.startsWith(css, Qt::CaseInsensitive)) {
        if (!trimmed.endsWith(u')'))
            return QStringLiteral("the linear-gradient( is not closed by ')'");
        return ParseLinearGradient(trimmed.sliced(css.size()).chopped(1), stops);
    }
    if (const qsizetype bracket = trimmed.indexOf(u'('); bracket >= 0)
        return QStringLiteral("'%1(' is not read: give stops (FF0000,FFFF00@30,0000FF) or a CSS "
                              "linear-gradient(...)")
            .arg(trimmed.first(bracket));
    // Blanks around the commas are the only ones a list of stops may have here.
    QStringList items;
    for (QStringView item : trimmed.split(u','))
        items.append(item.trimmed().toString());
    return ParseStops(items.join(u','), stops);
}

QString StopsText(const QList<Stop> &stops)
{
    // A stop is written with its place unless the stops around it that are
    // written (or the ends at 0 and 100) spread it there exactly; each written
    // stop is the furthest that leaves the ones before it unwritten.
    const qsizetype n = stops.size();
    QList<bool> written(n, false);
    written.first() = stops.first().position != 0.0;
    written.last() = stops.last().position != 100.0;
    for (qsizetype anchor = 0; anchor < n - 1;) {
        qsizetype next = anchor + 1;
        for (qsizetype j = anchor + 2; j < n; ++j) {
            bool spread = true;
            for (qsizetype k = anchor + 1; k < j && spread; ++k)
                spread = stops[k].position
                    == Spread(stops[anchor].position, stops[j].position, k - anchor, j - anchor);
            if (spread)
                next = j;
        }
        if (next < n - 1)
            written[next] = true;
        anchor = next;
    }
    QStringList items;
    for (qsizetype k = 0; k < n; ++k) {
        const Stop &s = stops[k];
        QString item = QString::asprintf("%02X%02X%02X", s.red, s.green, s.blue);
        if (written[k])
            item += u'@' + QString::number(s.position, 'f', QLocale::FloatingPointShortest);
        items.append(item);
    }
    return items.join(u',');
}

} // namespace huevane
