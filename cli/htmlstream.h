#pragma once

#include "engine/gradient.h"
#include "engine/formatwriter.h"
#include "engine/preparedtext.h"

#include <cstdio>

namespace huevane::cli {

/// Entries of character colours that WriteColouredText keeps at a time, by default.
inline constexpr qsizetype HtmlStreamBatch = 4096;

/// Colours @p text for @p gradient and writes it as ColouredTextWriter does for
/// @p options (for the default options, what FormattedText gives) to @p out as
/// UTF-8, line by line, without holding the whole output or all character
/// colours in memory: a line of any length is coloured and written @p batch
/// characters at a time. Writes nothing for a blank text, or for a gradient
/// type other than 1 to 3. With @p k above 1, k characters in a row share the
/// colour of their middle one (GroupedColours); the options should merge runs.
/// Returns false when writing failed.
bool WriteColouredText(const PreparedText &text, const Gradient &gradient,
                       const OutputOptions &options, std::FILE *out,
                       qsizetype batch = HtmlStreamBatch, qint32 k = 1);

} // namespace huevane::cli
