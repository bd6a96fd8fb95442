#include "options.h"

#include "engine/presets.h"
#include "engine/stopslist.h"
#include "engine/templatetext.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <algorithm>
#include <iterator>
#include <utility>

namespace huevane::cli {

namespace {

std::optional<int> component(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,3}$"));
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    const int value = text.toInt();
    if (value > 255)
        return std::nullopt;
    return value;
}

std::optional<qint32> wholeNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?[0-9]{1,19}$"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok || value < std::numeric_limits<qint32>::min()
        || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(value);
}

} // namespace

std::optional<ColourTriplet> ParseColourArgument(const QString &text)
{
    static const QRegularExpression hex(
        QStringLiteral("^#([0-9A-Fa-f]{2})([0-9A-Fa-f]{2})([0-9A-Fa-f]{2})$"));
    if (const auto match = hex.match(text); match.hasMatch()) {
        const auto byte = [&](int i) {
            return static_cast<float>(match.captured(i).toInt(nullptr, 16));
        };
        return ColourTriplet {byte(1), byte(2), byte(3)};
    }
    const QStringList parts = text.split(u',');
    if (parts.size() != 3)
        return std::nullopt;
    const auto r = component(parts[0]);
    const auto g = component(parts[1]);
    const auto b = component(parts[2]);
    if (!r || !g || !b)
        return std::nullopt;
    return ColourTriplet {static_cast<float>(*r), static_cast<float>(*g), static_cast<float>(*b)};
}

namespace {

// Every option huevane-html takes, as --help lists them. The last column says
// what an option that takes a value needs when it is given none.
struct OptionRow
{
    QStringList names;
    const char *valueName; // empty for an option that takes no value
    const char *description;
    const char *missing = nullptr;

    QCommandLineOption option() const { return {names, description, valueName}; }
};

// An option's name as it is typed: "-h", "--help".
QString dashed(const QString &name)
{
    return QString(name.size() == 1 ? "-" : "--") + name;
}

const QList<OptionRow> &optionRows()
{
    // clang-format off
    static const QList<OptionRow> rows {
        {{"start"}, "R,G,B", "start colour (default 255,70,30); also #RRGGBB", "a colour, R,G,B or #RRGGBB"},
        {{"end"}, "R,G,B", "end colour (default 255,255,0); also #RRGGBB", "a colour, R,G,B or #RRGGBB"},
        {{"stops"}, "LIST", "2 to 16 colours RRGGBB (or #RRGGBB), each with an\noptional @percentage: FF0000,FFFF00@30,0000FF;\nor a CSS linear-gradient(...) of #RGB or #RRGGBB", "a list of stops"},
        {{"space"}, "SPACE", "space the colours mix in: rgb (default), oklab,\noklch or hsl", "a space: rgb, oklab, oklch or hsl"},
        {{"hue"}, "RULE", "way round the hue circle for oklch and hsl:\nshorter (default) or longer", "shorter or longer"},
        {{"preset"}, "NAME", "a named gradient: --stops, --space and --hue\nat once (see --list-presets)", "a preset name (see --list-presets)"},
        {{"list-presets"}, "", "list the presets with the options they stand for"},
        {{"type"}, "1|2|3", "1 start to end (default), 2 end to start,\n3 start to end at the centre and back", "a value: 1, 2 or 3"},
        {{"centre"}, "N", "turning point of type 3, in characters (any 32-bit\nwhole number; default: half the character count)", "a whole number"},
        {{"per-line"}, "", "restart the gradient on every line"},
        {{"format"}, "FORMAT", "font (default) or another of the Formats below", "a format (see Formats in --help)"},
        {{"merge"}, "", "one tag, code or object for a run of one colour on\na line (formats that write a colour where it\nchanges always do so)"},
        {{"escape"}, "", "write &, < and > as &amp;, &lt; and &gt; (font, span)"},
        {{"upper-case-tags"}, "", "write tag names (FONT COLOR, SPAN STYLE, COLOR)\nin upper case"},
        {{"no-quotes"}, "", "write the colour attribute without quotes"},
        {{"bold"}, "", "bold text, where the format has it (see Formats)"},
        {{"italic"}, "", "italic text, where the format has it"},
        {{"underline"}, "", "underlined text, where the format has it"},
        {{"strikethrough"}, "", "struck-through text, where the format has it"},
        {{"obfuscated"}, "", "obfuscated text, in Minecraft's formats"},
        {{"background"}, "R,G,B", "background colour of --format svg (default 0,0,0);\nalso #RRGGBB", "a colour, R,G,B or #RRGGBB"},
        {{"template"}, "TEMPLATE", "write each character (or run) as TEMPLATE instead\nof a format (see Templates)", "a template (see Templates in --help)"},
        {{"line-end"}, "TEXT", "after every line of --template (default \\n)", "a text"},
        {{"head"}, "TEXT", "before the first line of --template", "a text"},
        {{"tail"}, "TEXT", "after the last line of --template", "a text"},
        {{"template-escape"}, "HOW", "how --template writes {c}: none (default), html\nor xml", "none, html or xml"},
        {{"max-length"}, "N", "write the finest gradient whose output is at most N\nlong (see Fitting)", "a length, a whole number from 1"},
        {{"max-line-length"}, "N", "the same for each line of the output", "a length, a whole number from 1"},
        {{"count"}, "UNIT", "what a length counts: utf16, codepoints or bytes\n(default: the format's unit, see Formats)", "a unit: utf16, codepoints or bytes"},
        {{"fit"}, "PLACE", "the limit of a place: minecraft-chat,\nminecraft-anvil, discord or irc (see --list-fits)", "a place (see --list-fits)"},
        {{"list-fits"}, "", "list the places with the options they stand for"},
        {{"colour-every"}, "K", "give k characters in a row the colour of their\nmiddle one, runs merged", "a whole number from 1"},
        {{"verbose"}, "", "tell k and the output's length on standard error"},
        {{"h", "help"}, "", "show this help and exit"},
        {{"version"}, "", "show the version and exit"},
    };
    // clang-format on
    return rows;
}

// The row of an option as typed, "--start" or "-h"; null for an unknown one.
const OptionRow *findOption(QStringView typed)
{
    const bool isLong = typed.startsWith(u"--");
    const QStringView name = typed.sliced(isLong ? 2 : 1);
    for (const OptionRow &row : optionRows()) {
        for (const QString &known : row.names) {
            if (known == name && (known.size() == 1) != isLong)
                return &row;
        }
    }
    return nullptr;
}

// QCommandLineParser names a bad option without its dashes, or by one letter of
// a group of short options, and in words of its own; huevane-html's messages
// name the argument as it was typed. Finds the first argument the parser
// could not take, and says why.
QString parseFailure(const QStringList &arguments, const QCommandLineParser &parser)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == u"--")
            break;
        if (argument.size() < 2 || !argument.startsWith(u'-'))
            continue;
        const QString typed = argument.section(u'=', 0, 0);
        const OptionRow *row = findOption(typed);
        if (!row)
            return QStringLiteral("unknown option '%1' (see --help)").arg(typed);
        const bool takesValue = *row->valueName != '\0';
        if (!takesValue && typed != argument)
            return QStringLiteral("option %1 takes no value").arg(typed);
        if (takesValue && typed == argument && ++i == arguments.size())
            return QStringLiteral("option %1 needs %2").arg(typed, QLatin1StringView(row->missing));
    }
    return parser.errorText();
}

// Reads --stops, --preset, --space and --hue into @p o; returns the problem with
// them, or an empty string.
QString readGradient(const QCommandLineParser &parser, Options &o)
{
    const bool stops = parser.isSet("stops");
    const bool preset = parser.isSet("preset");
    if (stops && preset)
        return QStringLiteral("--stops and --preset cannot be given together");
    for (const char *colour : {"start", "end"}) {
        if ((stops || preset) && parser.isSet(colour))
            return QStringLiteral("--%1 cannot be given with %2")
                .arg(QLatin1StringView(colour), stops ? "--stops" : "--preset");
    }
    QString stopsText = parser.value("stops");
    QString space = parser.value("space");
    QString hue = parser.value("hue");
    if (preset) {
        if (parser.isSet("space") || parser.isSet("hue"))
            return QStringLiteral("--preset gives its own --space and --hue: give --stops "
                                  "instead (see --list-presets)");
        const Preset *found = FindPreset(parser.value("preset"));
        if (!found)
            return QStringLiteral("--preset: '%1' is not a preset (see --list-presets)")
                .arg(parser.value("preset"));
        stopsText = QLatin1StringView(found->stops);
        space = ColourSpaceName(found->space);
        hue = HueIndex(found->space) >= 0 ? HueRuleName(found->hue) : QLatin1StringView();
    }
    if (stops || preset) {
        if (const QString problem = ParseGradientText(stopsText, o.stops); !problem.isEmpty())
            return QStringLiteral("--stops: ") + problem;
    }
    const QLatin1StringView spaces[] {QLatin1StringView("rgb"), QLatin1StringView("oklab"),
                                      QLatin1StringView("oklch"), QLatin1StringView("hsl")};
    if (parser.isSet("space") || preset) {
        const auto found = std::find(std::begin(spaces), std::end(spaces), space);
        if (found == std::end(spaces))
            return QStringLiteral("--space: '%1' is not a colour space: give rgb, oklab, oklch "
                                  "or hsl")
                .arg(space);
        o.space = ColourSpace(found - std::begin(spaces));
    }
    if (parser.isSet("hue") || !hue.isEmpty()) {
        if (hue != u"shorter" && hue != u"longer")
            return QStringLiteral("--hue: '%1' is not a hue rule: give shorter or longer").arg(hue);
        if (o.space == ColourSpace::Rgb || o.space == ColourSpace::Oklab)
            return QStringLiteral("--hue is for --space oklch and hsl only");
        o.hue = hue == u"longer" ? HueRule::Longer : HueRule::Shorter;
    }
    return {};
}

// The name of a table's row, or a name itself.
Words nameOf(Words name)
{
    return name;
}

template <typename Row>
Words nameOf(const Row &row)
{
    return row.name;
}

// The names in @p rows for which @p has holds, for a message, the last after
// @p last: "font, span or bbcode".
template <typename Rows, typename Predicate>
QString listed(const Rows &rows, QStringView last, Predicate has)
{
    QStringList names;
    for (const auto &row : rows) {
        if (has(row))
            names.append(ToQString(nameOf(row)));
    }
    const QString final = names.takeLast();
    return names.isEmpty() ? final : QStringLiteral("%1 %2 %3").arg(names.join(u", "), last, final);
}

// All the names in @p rows, the last after "or".
template <typename Rows>
QString oneOf(const Rows &rows)
{
    return listed(rows, u"or", [](const auto &) { return true; });
}

// The names of the formats for which @p has holds, for a message: "font and span".
template <typename Predicate>
QString formatsWhere(Predicate has)
{
    return listed(Formats, u"and", has);
}

bool drawsBackground(const FormatRow &row)
{
    return row.head.find(u"{background}") != Words::npos;
}

// Reads --template and the options around it into @p o; returns the problem
// with them, or an empty string.
QString readTemplate(const QCommandLineParser &parser, Options &o)
{
    const char *around[] = {"line-end", "head", "tail", "template-escape"};
    if (!parser.isSet("template")) {
        for (const char *name : around) {
            if (parser.isSet(name))
                return QStringLiteral("--%1 is for --template only").arg(QLatin1StringView(name));
        }
        return {};
    }
    if (parser.isSet("format"))
        return QStringLiteral("--template and --format cannot be given together");
    OwnTemplate own;
    own.run = parser.value("template");
    if (const QString problem = OwnTemplateProblemText(own.run); !problem.isEmpty())
        return QStringLiteral("--template: ") + problem;
    if (parser.isSet("line-end"))
        own.lineEnd = WithEscapesRead(parser.value("line-end"));
    own.head = WithEscapesRead(parser.value("head"));
    own.tail = WithEscapesRead(parser.value("tail"));
    if (parser.isSet("template-escape")) {
        const QString escape = parser.value("template-escape");
        const std::optional<TemplateEscape> found = FindTemplateEscape(escape);
        if (!found)
            return QStringLiteral("--template-escape: '%1' is not a way to escape: give %2")
                .arg(escape, oneOf(TemplateEscapeNames));
        own.escape = *found;
    }
    o.output.ownTemplate = own;
    return {};
}

// Reads --format, --template, --escape, --background and the styles into @p o;
// returns the problem with them, or an empty string.
QString readOutput(const QCommandLineParser &parser, Options &o)
{
    if (parser.isSet("format")) {
        const QString text = parser.value("format");
        const auto format = FindFormat(text);
        if (!format)
            return QStringLiteral("--format: '%1' is not a format: give %2")
                .arg(text, oneOf(Formats));
        o.output.format = *format;
    }
    if (const QString problem = readTemplate(parser, o); !problem.isEmpty())
        return problem;
    if (o.output.escape && (o.output.ownTemplate || !RowOf(o.output.format).escapeOnRequest))
        return QStringLiteral("--escape is for --format %1 only")
            .arg(formatsWhere([](const FormatRow &row) { return row.escapeOnRequest; }));
    if (parser.isSet("background")) {
        const QString text = parser.value("background");
        const auto colour = ParseColourArgument(text);
        if (!colour)
            return QStringLiteral("--background: '%1' is not a colour: give R,G,B with each a "
                                  "whole number 0 to 255, or #RRGGBB")
                .arg(text);
        if (o.output.ownTemplate || !drawsBackground(RowOf(o.output.format)))
            return QStringLiteral("--background is for --format %1 only")
                .arg(formatsWhere(drawsBackground));
        o.output.background =
            quint32(colour->red) << 16 | quint32(colour->green) << 8 | quint32(colour->blue);
    }
    for (int s = 0; s < StyleCount; ++s) {
        const QString name = ToQString(StyleNames[s]);
        if (parser.isSet(name))
            o.output.styles |= StyleBit(Style(s));
    }
    if (const auto refused = FindRefusedStyle(o.output)) {
        const QString style = ToQString(StyleNames[int(refused->style)]);
        const QString format = o.output.ownTemplate
            ? QStringLiteral("--template")
            : QStringLiteral("--format ") + ToQString(RowOf(o.output.format).name);
        return QStringLiteral("--%1 cannot be written with %2: %3")
            .arg(style, format, refused->reason);
    }
    return {};
}

// A positive whole number of up to @p most, or nothing.
std::optional<qint64> positive(const QString &text, qint64 most)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,19}$"));
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < 1 || value > most)
        return std::nullopt;
    return value;
}

// Reads --max-length, --max-line-length, --fit, --count, --colour-every and
// --verbose into @p o, after the output options; returns the problem with them,
// or an empty string.
QString readFit(const QCommandLineParser &parser, Options &o)
{
    QStringList limits;
    for (const char *name : {"max-length", "max-line-length", "fit"}) {
        if (parser.isSet(name))
            limits.append(QStringLiteral("--") + QLatin1StringView(name));
    }
    if (limits.size() > 1)
        return QStringLiteral("%1 and %2 cannot be given together").arg(limits[0], limits[1]);
    if (!limits.isEmpty() && parser.isSet("colour-every"))
        return QStringLiteral("--colour-every cannot be given with %1: the limit finds k")
            .arg(limits[0]);
    if (parser.isSet("count") && limits.isEmpty() && !parser.isSet("verbose"))
        return QStringLiteral("--count is for --max-length, --max-line-length and --verbose");

    o.measure.unit = o.output.ownTemplate ? LengthUnit::CodePoints : RowOf(o.output.format).unit;
    if (parser.isSet("count")) {
        const QString unit = parser.value("count");
        const auto *found = std::find_if(std::begin(LengthUnitNames), std::end(LengthUnitNames),
                                         [&](Words name) { return QStringView(name) == unit; });
        if (found == std::end(LengthUnitNames))
            return QStringLiteral("--count: '%1' is not a unit: give %2")
                .arg(unit, oneOf(LengthUnitNames));
        o.measure.unit = LengthUnit(found - std::begin(LengthUnitNames));
    }
    if (parser.isSet("fit")) {
        if (parser.isSet("count"))
            return QStringLiteral("--fit gives its own --count (see --list-fits)");
        const FitTarget *target = FindFitTarget(parser.value("fit"));
        if (!target)
            return QStringLiteral("--fit: '%1' is not a place: give %2 (see --list-fits)")
                .arg(parser.value("fit"), oneOf(FitTargets));
        o.limit = target->limit.length;
        o.measure = target->limit.measure;
    }
    for (const char *name : {"max-length", "max-line-length"}) {
        if (!parser.isSet(name))
            continue;
        o.limit = positive(parser.value(name), std::numeric_limits<qint64>::max());
        if (!o.limit)
            return QStringLiteral("--%1: '%2' is not a length: give a whole number from 1")
                .arg(QLatin1StringView(name), parser.value(name));
        o.measure.perLine = name == QLatin1StringView("max-line-length");
    }
    if (o.limit && !CanMeasure(o.output, o.measure))
        return QStringLiteral("%1 cannot measure the lines of a --template that writes a line "
                              "feed for every character")
            .arg(limits[0]);
    if (parser.isSet("colour-every")) {
        const auto k = positive(parser.value("colour-every"), std::numeric_limits<qint32>::max());
        if (!k)
            return QStringLiteral("--colour-every: '%1' is not a whole number from 1 to "
                                  "2147483647")
                .arg(parser.value("colour-every"));
        o.colourEvery = qint32(*k);
    }
    return {};
}

// Reads the values of the options that take one into @p o; returns the
// problem with the first bad one, or an empty string.
QString readValues(const QCommandLineParser &parser, Options &o)
{
    const std::pair<const char *, ColourTriplet *> colours[] {{"start", &o.start}, {"end", &o.end}};
    for (const auto &[name, colour] : colours) {
        if (!parser.isSet(name))
            continue;
        const QString text = parser.value(name);
        const auto parsed = ParseColourArgument(text);
        if (!parsed)
            return QStringLiteral("--%1: '%2' is not a colour: give R,G,B with each a whole "
                                  "number 0 to 255, or #RRGGBB")
                .arg(QLatin1StringView(name), text);
        *colour = *parsed;
    }
    if (parser.isSet("type")) {
        const QString text = parser.value("type");
        if (text != u"1" && text != u"2" && text != u"3")
            return QStringLiteral("--type: '%1' is not a gradient type: give 1, 2 or 3").arg(text);
        o.type = static_cast<quint8>(text.toInt());
    }
    if (const QString problem = readOutput(parser, o); !problem.isEmpty())
        return problem;
    if (const QString problem = readFit(parser, o); !problem.isEmpty())
        return problem;
    if (const QString problem = readGradient(parser, o); !problem.isEmpty())
        return problem;
    if (parser.isSet("centre")) {
        const QString text = parser.value("centre");
        o.centre = wholeNumber(text);
        if (!o.centre)
            return QStringLiteral(
                       "--centre: '%1' is not a whole number from -2147483648 to 2147483647")
                .arg(text);
    }
    return {};
}

} // namespace

ParsedOptions ParseArguments(const QStringList &arguments)
{
    QCommandLineParser parser;
    for (const OptionRow &row : optionRows())
        parser.addOption(row.option());

    ParsedOptions result;
    if (!parser.parse(QStringList {QString()} + arguments)) {
        result.error = parseFailure(arguments, parser);
        return result;
    }
    Options &o = result.options;
    const QStringList inputs = parser.positionalArguments();
    if (inputs.size() > 1) {
        result.error = QStringLiteral("more than one input file given: '%1'").arg(inputs[1]);
        return result;
    }
    if (!inputs.isEmpty())
        o.input = inputs.first();
    o.help = parser.isSet("help");
    o.version = parser.isSet("version");
    o.perLine = parser.isSet("per-line");
    o.output.upperCaseTags = parser.isSet("upper-case-tags");
    o.output.noQuotes = parser.isSet("no-quotes");
    o.output.merge = parser.isSet("merge");
    o.output.escape = parser.isSet("escape");
    o.listPresets = parser.isSet("list-presets");
    o.listFits = parser.isSet("list-fits");
    o.verbose = parser.isSet("verbose");
    result.error = readValues(parser, o);
    return result;
}

QString PresetList()
{
    QString list;
    for (const Preset &preset : Presets()) {
        list += QString(QLatin1StringView(preset.name)).leftJustified(12)
            + QStringLiteral("--stops %1 --space %2")
                  .arg(QLatin1StringView(preset.stops), ColourSpaceName(preset.space));
        if (HueIndex(preset.space) >= 0)
            list += QStringLiteral(" --hue ") + HueRuleName(preset.hue);
        list += u'\n';
    }
    return list;
}

QString FitList()
{
    QString list;
    for (const FitTarget &target : FitTargets) {
        const LengthLimit &limit = target.limit;
        list += ToQString(target.name).leftJustified(16)
            + (limit.measure.perLine ? QStringLiteral("--max-line-length ")
                                     : QStringLiteral("--max-length "))
            + QString::number(limit.length) + QStringLiteral(" --count ")
            + ToQString(LengthUnitNames[int(limit.measure.unit)]) + u'\n';
    }
    return list;
}

// The table of formats as --help lists it: each name, its help, the styles it can
// write, and what its length is counted in where that is not code points.
QString formatsHelp()
{
    QString list;
    for (int f = 0; f < FormatCount; ++f) {
        const FormatRow &row = Formats[f];
        QStringList lines = ToQString(row.help).split(u'\n');
        if (const QStringList styles = WritableStyles(OutputFormat(f)); !styles.isEmpty())
            lines.append(QStringLiteral("styles: ") + styles.join(QStringLiteral(", ")));
        if (row.unit != LengthUnit::CodePoints)
            lines.append(QStringLiteral("length in ") + ToQString(LengthUnitWords[int(row.unit)]));
        list += QStringLiteral("  ") + ToQString(row.name).leftJustified(19)
            + lines.join(u'\n' + QString(21, u' ')) + u'\n';
    }
    return list;
}

QString HelpText()
{
    QString list;
    for (const OptionRow &row : optionRows()) {
        QStringList names;
        for (const QString &name : row.names)
            names.append(dashed(name));
        const QString left = (names.join(u", ") + u' ' + row.valueName).trimmed();
        const QString description =
            QString(row.description).replace(u'\n', u'\n' + QString(22, u' '));
        // A long option and its value get a line of their own.
        const QString gap =
            left.size() > 18 ? u'\n' + QString(22, u' ') : QString(20 - left.size(), u' ');
        list += QStringLiteral("  ") + left + gap + description + u'\n';
    }
    return QStringLiteral(
               "Usage: huevane-html [OPTION]... [FILE|-]\n"
               "Writes a text with every character in its own colour: by default as HTML,\n"
               "one font tag per character, \"<br>\" and CR LF at the end of every line.\n"
               "\n"
               "Reads UTF-8 text from FILE, or from standard input when FILE is absent or '-'.\n"
               "CR LF, LF, a lone CR, U+2028 and U+2029 end a line. Writes UTF-8 to\n"
               "standard output; nothing for a text of nothing but spaces.\n"
               "\n"
               "Options:\n")
        + list
        + QStringLiteral(
               "\n"
               "Formats (c a character or run; RRGGBB a colour in upper-case hexadecimal,\n"
               "rrggbb in lower-case, R;G;B in decimal; N, NN and k the code of the nearest\n"
               "colour of a palette; below each, the styles it can write, and what its\n"
               "length is counted in where that is not code points):\n")
        + formatsHelp()
        + QStringLiteral(
               "\n"
               "Templates (--template TEMPLATE): each character, or run with --merge, is\n"
               "written as TEMPLATE with {c} the character (at most once), {hex} and {HEX}\n"
               "its colour as rrggbb and RRGGBB, {r}, {g} and {b} its components in decimal,\n"
               "{{ and }} braces. --head, --tail and --line-end (default LF) go around it,\n"
               "with \\n, \\r, \\t and \\\\ read as LF, CR, tab and backslash. --template-escape\n"
               "html writes & < > \" in {c} as entities, xml also ' and controls as U+FFFD.\n"
               "  --template '<b style=\"color:#{hex}\">{c}</b>' --line-end '<br>\\n'\n"
               "\n"
               "Fitting (--max-length, --max-line-length, --fit): the finest gradient whose\n"
               "output fits: runs of one colour merged, then k characters in a row in the\n"
               "colour of their middle one (the left of the two middle ones for an even k),\n"
               "the groups starting again on every line, for the smallest k that fits; whole\n"
               "characters only, never a cut text. A length counts the --count unit (the\n"
               "format's by default), a line what lies between line feeds. When not even\n"
               "one colour a line fits, nothing is written, and one line says how long the\n"
               "shortest output would be. --colour-every sets k by hand.\n"
               "\n"
               "Gradients through stops (--stops, --preset, or a --space other than rgb):\n"
               "every character has a place on its run (the text, or a line with --per-line)\n"
               "from 0 to 100%: type 1 from 0 to 100, type 2 from 100 to 0, type 3 from 0 to\n"
               "100 at the centre and back to 0. It takes the colour of the stops there,\n"
               "mixed between the two around it in the space:\n"
               "  rgb      red, green and blue each straight from one stop to the next\n"
               "  oklab    OKLab, as the eye sees lightness and colour: no muddy middle\n"
               "  oklch    OKLab as lightness, chroma and a hue that goes round the circle\n"
               "  hsl      CSS's hue, saturation and lightness\n"
               "A stop without @P: the first at 0, the last at 100, the others spread evenly\n"
               "between the stops around them that have one. --start and --end with another\n"
               "space are the stops at 0 and 100. Examples, for the text abcde:\n"
               "  --stops FF0000,00FF00,0000FF       FF0000 808000 00FF00 008080 0000FF\n"
               "  --stops FF0000,00FF00 --space oklab\n"
               "                                     FF0000 ED7300 D0A800 A0D500 00FF00\n"
               "  --stops FF0000,0000FF --space oklch\n"
               "                                     FF0000 E8007B BA00C2 7A00F4 0000FF\n"
               "  --stops FF0000,0000FF --space hsl --hue longer\n"
               "                                     FF0000 FFFF00 00FF00 00FFFF 0000FF\n"
               "\n"
               "Exit status: 0 on success, 1 when the input cannot be read or is not\n"
               "valid UTF-8 or the output cannot fit the limit, 2 on bad usage.\n");
}

} // namespace huevane::cli
