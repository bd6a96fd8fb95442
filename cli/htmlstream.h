#pragma once

#include "engine/gradientsettings.h"

#include <cstdio>

namespace huevane::cli {

/// Writes what GenerateHtml gives for @p settings, after colouring them for their
/// gradient type, to @p out as UTF-8, line by line, without holding the whole HTML
/// or all character colours in memory. Writes nothing for a blank text. Returns
/// false when writing failed.
bool WriteHtml(const GradientSettings &settings, std::FILE *out);

} // namespace huevane::cli
