#pragma once

#include "engine/formatwriter.h"

#include <cstdint>
#include <cstring>

namespace huevane::fuzz {

/// Ends the run with @p what on standard error when @p condition does not hold.
/// The abort is what libFuzzer, and CTest in the corpus replay, see as a finding.
void Check(bool condition, const char *what);

/// Takes fixed-size values from the front of a fuzz input, then the rest of it.
/// Past the end of the input every value is 0.
struct InputReader
{
    QByteArrayView rest; ///< everything not taken yet

    template <typename T = std::uint8_t>
    T take()
    {
        T value {};
        const qsizetype n = qMin(qsizetype(sizeof(T)), rest.size());
        std::memcpy(&value, rest.data(), size_t(n));
        rest = rest.sliced(n);
        return value;
    }
};

/// The lines of @p text, found apart from the engine: the text split at every
/// CR LF, CR, LF, U+2028 and U+2029, with no empty last line after a break at
/// the very end; the empty text is one empty line.
QList<TextSpan> LinesOf(const QString &text);

/// Checks that @p colours, computed for @p text, cover the characters of every
/// line (LinesOf) exactly once, in order: no character lost, doubled or split.
/// Then checks @p output, written for them as @p options say, against a plain
/// writer of each format and of templates, written apart from the table of
/// formats: every entry's character, escaped as the format or the options ask,
/// in a tag, code or object of its entry's colour (for a palette the nearest
/// entry, found by trying every one), with the styles asked for, one for every
/// entry or, with merge and always in the formats that write a colour where it
/// changes, one for every run of a colour on a line; every line ending in the
/// format's line end; nothing at all for a blank text. So the output without its
/// codes, escapes undone, gives back the text.
void CheckOutputGivesBackText(const QString &text, const QList<CharColour> &colours,
                              const OutputOptions &options, QStringView output);

} // namespace huevane::fuzz
