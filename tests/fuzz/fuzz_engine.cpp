// Fuzzes the engine: any text, colours (in and out of 0..255, NaN and infinities
// too), any gradient type byte, any 32-bit centre, per-line on or off, both tag
// options, through SetText, ComputeCharColours and GenerateHtml.
//
// Input: a flags byte (bit 0 per line, bit 1 upper-case tags, bit 2 no quotes,
// bit 3 text as UTF-16 instead of UTF-8, bit 4 centre from the input instead of
// SetText's), the type byte, the batch size of the piecewise check less one,
// six floats (start then end, red, green, blue), the centre as a 32-bit integer,
// then the text. Numbers are little-endian.
//
// Components are bytes, and the conversion of a working value to a byte goes
// through a cast that UBSan's float-cast-overflow check, on in every fuzzing
// build, reports for any value outside 0..255 or NaN.

#include "fuzzchecks.h"

#include "engine/charcolours.h"

#include <cmath>

using namespace huevane;
using namespace huevane::fuzz;

namespace {

QList<TextSpan> boundaryFinderClusters(QStringView text)
{
    QList<TextSpan> clusters;
    ClusterFinder finder(text);
    TextSpan cluster;
    while (finder.next(cluster))
        clusters.append(cluster);
    return clusters;
}

void checkCharacters(const GradientSettings &settings)
{
    qint64 total = 0;
    for (qsizetype i = 0; i < settings.lines.size(); ++i) {
        const QStringView line = settings.line(i);
        Check(!line.contains(LineBreak), "no line holds a line break");
        const QList<TextSpan> clusters = boundaryFinderClusters(line);
        QList<TextSpan> visited;
        ForEachCharacter(line, [&](TextSpan c) { visited.append(c); });
        // ForEachCharacter skips the finder for text that cannot form clusters.
        Check(visited == clusters, "the characters of a line are its grapheme clusters");
        total += clusters.size();
    }
    Check(total == settings.totalChars, "totalChars counts the characters of every line");

    QStringList pieces;
    for (qsizetype i = 0; i < settings.lines.size(); ++i)
        pieces.append(settings.line(i).toString());
    QString joined = pieces.join(LineBreak);
    if (settings.text.endsWith(LineBreak))
        joined += LineBreak;
    Check(joined == settings.text, "the lines joined by CR LF give back the text");
}

// For types 1 and 2 every run starts on its first colour.
void checkRunStarts(const GradientSettings &settings)
{
    if (settings.gradientType == RiseAndFall || settings.charColours.isEmpty())
        return;
    const ColourTriplet &from =
        settings.gradientType == EndToStart ? settings.endColour : settings.startColour;
    const ColourTriplet first = ClampedColour(from);
    const auto startsOn = [&](const CharColour &c) {
        return PackColour(c.red, c.green, c.blue) == PackColour(first);
    };
    Check(startsOn(settings.charColours.first()), "the gradient starts on its first colour");
    if (!settings.perLine)
        return;
    qsizetype entry = 0;
    for (const TextSpan &line : settings.lines) {
        if (line.length == 0)
            continue;
        Check(startsOn(settings.charColours[entry]), "every line starts on the first colour");
        while (entry < settings.charColours.size()
               && settings.charColours[entry].start < line.end())
            ++entry;
    }
}

void checkBatches(const GradientSettings &settings, qsizetype batch)
{
    QList<CharColour> batched;
    ColourStepper stepper(settings);
    for (qsizetype i = 0; i < settings.lines.size(); ++i) {
        stepper.colourLineInBatches(i, batch, [&](const CharColour *first, const CharColour *last) {
            Check(last - first >= 1 && last - first <= batch, "a batch holds 1 to batch entries");
            batched.append(QList<CharColour>(first, last));
        });
    }
    Check(batched.size() == settings.charColours.size(), "batches colour every character");
    for (qsizetype i = 0; i < batched.size(); ++i) {
        const CharColour &a = batched[i];
        const CharColour &b = settings.charColours[i];
        Check(a.start == b.start && a.length == b.length && a.red == b.red && a.green == b.green
                  && a.blue == b.blue,
              "colouring in batches gives ComputeCharColours' entries");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    InputReader in(data, size);
    const std::uint8_t flags = in.byte();
    const std::uint8_t type = in.byte();
    const qsizetype batch = 1 + in.byte();
    ColourTriplet start;
    ColourTriplet end;
    for (ColourTriplet *colour : {&start, &end}) {
        colour->red = in.number();
        colour->green = in.number();
        colour->blue = in.number();
    }
    const std::int32_t centre = in.whole();
    const QByteArrayView rest = in.rest();
    QString text;
    if (flags & 8) {
        // Any code units, lone surrogates included.
        text.resize(rest.size() / 2);
        std::memcpy(text.data(), rest.data(), size_t(text.size()) * sizeof(QChar));
    } else {
        text = QString::fromUtf8(rest);
    }

    GradientSettings settings;
    SetText(settings, text);
    checkCharacters(settings);
    if (flags & 16)
        settings.centre = centre;
    settings.startColour = start;
    settings.endColour = end;
    settings.gradientType = type;
    settings.perLine = flags & 1;
    settings.upperCaseTags = flags & 2;
    settings.noQuotes = flags & 4;

    const bool computed = ComputeCharColours(settings);
    const bool validType = type >= StartToEnd && type <= RiseAndFall;
    Check(computed == validType, "colours are computed for types 1 to 3 only");
    if (!validType) {
        Check(settings.charColours.isEmpty(), "an invalid type leaves no colours");
        return 0;
    }
    CheckEntriesCoverLines(settings);
    checkRunStarts(settings);
    checkBatches(settings, batch);

    const QString html = GenerateHtml(settings);
    if (IsBlankText(settings.text)) {
        Check(html.isEmpty(), "a blank text gives no HTML");
        return 0;
    }
    CheckOutputGivesBackText(settings, {settings.upperCaseTags, settings.noQuotes}, html);
    return 0;
}
