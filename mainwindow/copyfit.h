#pragma once

#include "engine/fitting.h"
#include "mainwindow/copyas.h"

#include <QString>

#include <optional>

namespace huevane {

/// What an entry of 'Copy as' would copy, measured.
struct CopyLength
{
    /// The fit's measure; without a fit, the format's unit over the whole output.
    LengthMeasure measure {};
    /// Of what is copied; when the fit cannot be met, of the shortest output.
    qint64 length = 0;
    qint32 k = 1;     ///< characters in a row that share a colour
    bool fits = true; ///< false when the fit cannot be met, or its lines cannot be measured
};

/// What @p entry copies for @p source, measured. Without a fit, the output as
/// written, in its format's unit (code points for a template). With one
/// (CopySource::fit), the finest output that fits, as FindFit() and
/// huevane-html's --fit find it. Formatted text is measured by its plain text,
/// what a place that takes rich text counts, and keeps every colour (k = 1). A
/// length of 0 when there is nothing to copy.
CopyLength MeasureCopy(const CopyAsEntry &entry, const CopySource &source);

/// @p length with its unit in words, the number's digits grouped in threes:
/// "1,234 characters", "1 byte". UTF-16 code units and code points are both
/// characters, as the chat boxes that count them show them.
QString LengthInWords(qint64 length, LengthUnit unit);

/// A limit in words, as 'Fit to' shows it: "256 characters", "400 bytes a line".
QString LimitInWords(const LengthLimit &limit);

/// What an entry's caption adds in brackets for @p measured under @p fit:
/// "1,234 characters", "lines up to 380 bytes", "too long: 312 of 256
/// characters", "too long: a line of 450 of 400 bytes"; for lines that cannot be
/// measured, "lines cannot be measured".
QString LengthNote(const CopyLength &measured, const std::optional<LengthLimit> &fit);

} // namespace huevane
