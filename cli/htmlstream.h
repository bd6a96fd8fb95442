#pragma once

#include "engine/gradientsettings.h"
#include "engine/formatwriter.h"
#include "engine/linecolourer.h"

#include <cstdio>

namespace huevane::cli {

/// Entries of character colours that WriteColouredText keeps at a time, by default.
inline constexpr qsizetype HtmlStreamBatch = 4096;

/// Colours the text of @p settings with @p colourer (made for them) and writes it
/// as ColouredTextWriter does for @p options (for the default options, what
/// FormattedText gives) to @p out as UTF-8, line by line, without holding the
/// whole output or all character colours in memory: a line of any length is
/// coloured and written @p batch characters at a time. Writes nothing for a
/// blank text. Returns false when writing failed.
bool WriteColouredText(const GradientSettings &settings, LineColourer &colourer,
                       const OutputOptions &options, std::FILE *out,
                       qsizetype batch = HtmlStreamBatch);

} // namespace huevane::cli
