#pragma once

#include "htmlstream.h"
#include "input.h"
#include "options.h"

#include <cstdio>
#include <memory>

namespace huevane::cli {

/// Exit statuses of huevane-html.
enum ExitStatus {
    Success = 0,    ///< the output is written
    InputError = 1, ///< the input cannot be read or is not UTF-8, or the output cannot be written
    UsageError = 2, ///< a malformed command line
};

/// The gradient of @p text for the colours, type, centre and tag options of
/// @p options, its centre the one SetText sets unless the options give one.
GradientSettings SettingsFor(const Options &options, const QString &text);

/// The stops of @p options when their colours follow the stops' rule: stops
/// were given, or a space other than rgb (then the start colour at 0 and the
/// end colour at 100). Empty when the window's arithmetic applies.
std::optional<StopGradient> StopGradientFor(const Options &options);

/// What colours the text of @p settings (made by SettingsFor) for @p options.
std::unique_ptr<LineColourer> ColourerFor(const Options &options, const GradientSettings &settings);

/// Writes @p input coloured for @p options, in their format, to @p out, or its
/// error to @p err as one line, with nothing on @p out. Returns the exit status:
/// Success, or InputError when the input had an error or writing failed.
/// @p batch is WriteColouredText's.
int Convert(const Options &options, const InputText &input, std::FILE *out, std::FILE *err,
            qsizetype batch = HtmlStreamBatch);

} // namespace huevane::cli
