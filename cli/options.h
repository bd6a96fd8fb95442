#pragma once

#include "engine/colour.h"
#include "engine/fitting.h"
#include "engine/formatwriter.h"
#include "engine/stops.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace huevane::cli {

/// What huevane-html was asked to do.
struct Options
{
    ColourTriplet start {255, 70, 30};
    ColourTriplet end {255, 255, 0};
    quint8 type = 1;
    std::optional<qint32> centre; ///< empty: the centre that SetText sets
    bool perLine = false;
    QList<Stop> stops; ///< from --stops or --preset; empty: the start and end colours
    ColourSpace space = ColourSpace::Rgb;
    HueRule hue = HueRule::Shorter;
    /// How the text is written: --format or --template, --merge, --escape, the
    /// tag options, the styles and --background.
    OutputOptions output;
    std::optional<qint64> limit; ///< --max-length, --max-line-length or --fit
    /// What the limit and --verbose measure: --count, or the format's unit, and
    /// each line with --max-line-length.
    LengthMeasure measure;
    std::optional<qint32> colourEvery;   ///< --colour-every: k set by hand
    bool verbose = false;                ///< k and the length on standard error
    QString input = QStringLiteral("-"); ///< a file path, or "-" for standard input
    bool help = false;
    bool version = false;
    bool listPresets = false;
    bool listFits = false;
};

/// The outcome of reading the command line: the options, or one line naming the problem.
struct ParsedOptions
{
    Options options;
    QString error; ///< empty when the command line was good
};

/// Reads @p arguments (without the program name).
ParsedOptions ParseArguments(const QStringList &arguments);

/// The text of --help.
QString HelpText();

/// Reads a colour given as "R,G,B" (whole numbers 0 to 255) or "#RRGGBB".
std::optional<ColourTriplet> ParseColourArgument(const QString &text);

/// The text of --list-presets: a line for every preset, its name and the
/// options it stands for.
QString PresetList();

/// The text of --list-fits: a line for every named limit, its name and the
/// options it stands for.
QString FitList();

} // namespace huevane::cli
