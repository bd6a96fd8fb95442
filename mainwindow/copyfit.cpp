#include "copyfit.h"

#include "engine/lengthunits.h"

#include <QLocale>

#include <algorithm>

namespace huevane {

namespace {

qint64 LengthOf(LengthUnit unit, QStringView text)
{
    const auto *units = reinterpret_cast<const char16_t *>(text.data());
    return LengthIn(unit, units, units + text.size());
}

// Formatted text pastes as its characters, lines ended by a line feed.
qint64 PlainLength(const PreparedText &text, LengthMeasure measure)
{
    qint64 length = measure.perLine ? 0 : text.lineCount() - 1;
    for (qsizetype i = 0; i < text.lineCount(); ++i) {
        const qint64 line = LengthOf(measure.unit, text.lineText(i));
        length = measure.perLine ? std::max(length, line) : length + line;
    }
    return length;
}

} // namespace

CopyLength MeasureCopy(const CopyAsEntry &entry, const CopySource &source)
{
    const PreparedText &text = source.settings.text;
    const OutputOptions options = CopyAsOptions(entry, source);
    const std::optional<LengthLimit> &fit = source.fit;
    CopyLength measured;
    measured.measure = fit
        ? fit->measure
        : LengthMeasure {entry.ownTemplate ? LengthUnit::CodePoints : RowOf(entry.format).unit};
    if (!HasSomethingToCopy(source))
        return measured;
    if (entry.formattedText) {
        measured.length = PlainLength(text, measured.measure);
        measured.fits = !fit || measured.length <= fit->length;
    } else if (!fit) {
        measured.length = OutputLength(text, source.colours, options, measured.measure);
    } else if (!CanMeasure(options, fit->measure)) {
        measured.fits = false;
    } else {
        const Fit found = FindFit(text, source.colours, options, *fit);
        measured.length = found.length;
        measured.k = found.k;
        measured.fits = found.fits;
    }
    return measured;
}

QString LengthInWords(qint64 length, LengthUnit unit)
{
    const bool bytes = unit == LengthUnit::Bytes;
    const QString words = length == 1
        ? (bytes ? QStringLiteral("byte") : QStringLiteral("character"))
        : (bytes ? QStringLiteral("bytes") : QStringLiteral("characters"));
    return QLocale(QLocale::English).toString(length) + u' ' + words;
}

QString LimitInWords(const LengthLimit &limit)
{
    const QString words = LengthInWords(limit.length, limit.measure.unit);
    return limit.measure.perLine ? words + QStringLiteral(" a line") : words;
}

QString LengthNote(const CopyLength &measured, const std::optional<LengthLimit> &fit)
{
    const QString length = LengthInWords(measured.length, measured.measure.unit);
    const bool perLine = measured.measure.perLine;
    if (measured.fits)
        return perLine ? QStringLiteral("lines up to ") + length : length;
    if (measured.length == 0)
        return QStringLiteral("lines cannot be measured");
    const QString limit = LengthInWords(fit ? fit->length : 0, measured.measure.unit);
    return (perLine ? QStringLiteral("too long: a line of %1 of %2")
                    : QStringLiteral("too long: %1 of %2"))
        .arg(length.section(u' ', 0, 0), limit);
}

} // namespace huevane
