#pragma once

#include "engine/gradientsettings.h"

#include <cstdio>

namespace huevane::cli {

/// Entries of character colours that WriteHtml keeps at a time, by default.
inline constexpr qsizetype HtmlStreamBatch = 4096;

/// Writes what GenerateHtml gives for @p settings, after colouring them for their
/// gradient type, to @p out as UTF-8, line by line, without holding the whole HTML
/// or all character colours in memory: a line of any length is coloured and
/// written @p batch characters at a time. Writes nothing for a blank text.
/// Returns false when writing failed.
bool WriteHtml(const GradientSettings &settings, std::FILE *out, qsizetype batch = HtmlStreamBatch);

} // namespace huevane::cli
