#pragma once

#include "htmlstream.h"
#include "input.h"
#include "options.h"

#include <cstdio>

namespace huevane::cli {

/// Exit statuses of huevane-html.
enum ExitStatus {
    Success = 0,    ///< the output is written
    InputError = 1, ///< the input cannot be read or is not UTF-8, the output cannot fit its
                    ///< limit or cannot be written
    UsageError = 2, ///< a malformed command line
};

/// The gradient @p options ask for over @p text: its turning point the middle of
/// the text's characters unless the options give one.
Gradient GradientFor(const Options &options, const PreparedText &text);

/// Writes @p input coloured for @p options, in their format, to @p out, or its
/// error to @p err as one line, with nothing on @p out: the finest output that
/// fits the options' limit, if they give one, and k and its length to @p err as
/// one line when they ask. Returns the exit status: Success, or InputError when
/// the input had an error, the output cannot fit or writing failed. @p batch is
/// WriteColouredText's.
int Convert(const Options &options, const InputText &input, std::FILE *out, std::FILE *err,
            qsizetype batch = HtmlStreamBatch);

} // namespace huevane::cli
