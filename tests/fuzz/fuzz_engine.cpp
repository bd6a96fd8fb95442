// Fuzzes the engine: any text, colours (in and out of 0..255, NaN and infinities
// too), any gradient type byte, any 32-bit centre, per-line on or off, both tag
// options, through SetText, ComputeCharColours and GenerateHtml.
//
// Input: a flags byte (bit 0 per line, bit 1 upper-case tags, bit 2 no quotes,
// bit 3 text as UTF-16 instead of UTF-8, bit 4 centre from the input instead of
// SetText's), the type byte, six floats (start then end, red, green, blue), the
// centre as a 32-bit integer, then the text. Numbers are little-endian.
//
// Components are bytes, and the conversion of a working value to a byte goes
// through a cast that UBSan's float-cast-overflow check, on in every fuzzing
// build, reports for any value outside 0..255 or NaN.

#include "fuzzchecks.h"

#include "engine/charcolours.h"

using namespace huevane;
using namespace huevane::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    InputReader in {{data, qsizetype(size)}};
    GradientSettings settings;
    const auto flags = in.take();
    settings.gradientType = in.take();
    for (ColourTriplet *colour : {&settings.startColour, &settings.endColour})
        *colour = {in.take<float>(), in.take<float>(), in.take<float>()};
    settings.perLine = flags & 1;
    settings.upperCaseTags = flags & 2;
    settings.noQuotes = flags & 4;
    const auto centre = in.take<std::int32_t>();
    QString text = QString::fromUtf8(in.rest);
    if (flags & 8) { // any code units, lone surrogates included
        text.resize(in.rest.size() / 2);
        std::memcpy(text.data(), in.rest.data(), size_t(text.size()) * sizeof(QChar));
    }
    SetText(settings, text);

    QStringList lines;
    qint64 total = 0;
    for (qsizetype i = 0; i < settings.lines.size(); ++i) {
        const QStringView line = settings.line(i);
        Check(!line.contains(LineBreak), "no line holds a line break");
        QList<TextSpan> clusters, visited;
        ClusterFinder finder(line);
        for (TextSpan cluster; finder.next(cluster);)
            clusters.append(cluster);
        // ForEachCharacter takes runs of code units that never join one unit a
        // character and hands ICU only the pieces between them.
        ForEachCharacter(line, [&](TextSpan c) { visited.append(c); });
        Check(visited == clusters, "the characters of a line are its grapheme clusters");
        total += clusters.size();
        lines.append(line.toString());
    }
    Check(total == settings.totalChars, "totalChars counts the characters of every line");
    Check(lines.join(LineBreak) + text.right(text.endsWith(LineBreak) ? 2 : 0) == text,
          "the lines joined by CR LF give back the text");

    if (flags & 16)
        settings.centre = centre;
    const bool validType =
        settings.gradientType >= StartToEnd && settings.gradientType <= RiseAndFall;
    const auto colours = ComputeCharColours(settings);
    Check(colours.has_value() == validType, "colours are computed for types 1 to 3 only");
    if (!validType)
        return 0;
    settings.charColours = *colours;
    const OutputOptions options {settings.upperCaseTags, settings.noQuotes};
    CheckOutputGivesBackText(settings, options,
                             GenerateHtml(PreparedText(settings.text), *colours, options));
    return 0;
}
