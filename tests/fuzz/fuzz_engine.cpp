// Fuzzes the engine: any text, colours (in and out of 0..255, NaN and infinities
// too), any gradient type byte, any 32-bit turning point, per-line on or off,
// both tag options, through a prepared text, ComputeCharColours and FormattedText.
//
// Input: a flags byte (bit 0 per line, bit 1 upper-case tags, bit 2 no quotes,
// bit 3 text as UTF-16 instead of UTF-8, bit 4 turning point from the input
// instead of the middle), the type byte, six floats (start then end, red, green,
// blue), the turning point as a 32-bit integer, then the text. Numbers are
// little-endian.
//
// Components are bytes, and the conversion of a working value to a byte goes
// through a cast that UBSan's float-cast-overflow check, on in every fuzzing
// build, reports for any value outside 0..255 or NaN.

#include "fuzzchecks.h"

#include "engine/characters.h"
#include "engine/charcolours.h"

using namespace huevane;
using namespace huevane::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    InputReader in {{data, qsizetype(size)}};
    Gradient gradient;
    const auto flags = in.take();
    gradient.type = GradientType(in.take());
    for (ColourTriplet *colour : {&gradient.start, &gradient.end})
        *colour = {in.take<float>(), in.take<float>(), in.take<float>()};
    gradient.perLine = flags & 1;
    const OutputOptions options {bool(flags & 2), bool(flags & 4)};
    const auto centre = in.take<std::int32_t>();
    QString text = QString::fromUtf8(in.rest);
    if (flags & 8) { // any code units, lone surrogates included
        text.resize(in.rest.size() / 2);
        std::memcpy(text.data(), in.rest.data(), size_t(text.size()) * sizeof(QChar));
    }
    const PreparedText prepared(text);

    // The lines are those a plain reading finds, and their characters the
    // clusters ICU finds in each.
    const QList<TextSpan> lines = LinesOf(text);
    Check(prepared.lineCount() == lines.size(), "the lines end where the line-end rule says");
    qint64 total = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        Check(prepared.line(i) == lines[i], "the lines end where the line-end rule says");
        QList<TextSpan> clusters, visited;
        ClusterFinder finder(prepared.lineText(i));
        for (TextSpan cluster; finder.next(cluster);)
            clusters.append({lines[i].start + cluster.start, cluster.length});
        prepared.forEachCharacter(i, [&](TextSpan c) { visited.append(c); });
        Check(visited == clusters && prepared.lineCharacters(i) == clusters.size(),
              "the characters of a line are its grapheme clusters");
        total += clusters.size();
    }
    Check(total == prepared.totalChars(), "totalChars counts the characters of every line");
    const bool endsInBreak =
        !text.isEmpty() && QStringView(u"\r\n\u2028\u2029").contains(text.back());
    Check(prepared.wholeTextLength() == total + 2 * (lines.size() - 1 + endsInBreak),
          "the whole length counts two for every line break");

    gradient.centre = flags & 16 ? centre : Middle(prepared.totalChars());
    const auto colours = ComputeCharColours(prepared, gradient);
    Check(colours.has_value() == IsGradientType(gradient.type),
          "colours are computed for types 1 to 3 only");
    if (!colours)
        return 0;
    CheckOutputGivesBackText(text, *colours, options, FormattedText(prepared, *colours, options));
    return 0;
}
