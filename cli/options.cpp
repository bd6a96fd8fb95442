#include "options.h"

#include <QRegularExpression>

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

ParsedOptions ParseArguments(const QStringList &arguments)
{
    ParsedOptions result;
    Options &o = result.options;
    const auto fail = [&](const QString &message) {
        result.error = message;
        return result;
    };

    bool inputGiven = false;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString argument = arguments[i];
        if (optionsEnded || argument == u"-" || !argument.startsWith(u'-')) {
            if (inputGiven)
                return fail(QStringLiteral("more than one input file given: '%1'").arg(argument));
            o.input = argument;
            inputGiven = true;
            continue;
        }
        if (argument == u"--") {
            optionsEnded = true;
            continue;
        }

        QString value;
        bool hasInlineValue = false;
        if (const qsizetype equals = argument.indexOf(u'=');
            argument.startsWith(u"--") && equals > 0) {
            value = argument.mid(equals + 1);
            argument.truncate(equals);
            hasInlineValue = true;
        }
        const auto takeValue = [&]() -> std::optional<QString> {
            if (hasInlineValue)
                return value;
            if (i + 1 >= arguments.size())
                return std::nullopt;
            return arguments[++i];
        };
        const auto noValue = [&]() { return !hasInlineValue; };

        if (argument == u"--help" || argument == u"-h") {
            if (!noValue())
                return fail(QStringLiteral("option %1 takes no value").arg(argument));
            o.help = true;
        } else if (argument == u"--version") {
            if (!noValue())
                return fail(QStringLiteral("option %1 takes no value").arg(argument));
            o.version = true;
        } else if (argument == u"--per-line" || argument == u"--upper-case-tags"
                   || argument == u"--no-quotes") {
            if (!noValue())
                return fail(QStringLiteral("option %1 takes no value").arg(argument));
            if (argument == u"--per-line")
                o.perLine = true;
            else if (argument == u"--upper-case-tags")
                o.upperCaseTags = true;
            else
                o.noQuotes = true;
        } else if (argument == u"--start" || argument == u"--end") {
            const auto text = takeValue();
            if (!text)
                return fail(
                    QStringLiteral("option %1 needs a colour, R,G,B or #RRGGBB").arg(argument));
            const auto colour = ParseColourArgument(*text);
            if (!colour)
                return fail(QStringLiteral("%1: '%2' is not a colour: give R,G,B with each a whole "
                                           "number 0 to 255, or #RRGGBB")
                                .arg(argument, *text));
            (argument == u"--start" ? o.start : o.end) = *colour;
        } else if (argument == u"--type") {
            const auto text = takeValue();
            if (!text)
                return fail(QStringLiteral("option --type needs a value: 1, 2 or 3"));
            if (*text != u"1" && *text != u"2" && *text != u"3")
                return fail(QStringLiteral("--type: '%1' is not a gradient type: give 1, 2 or 3")
                                .arg(*text));
            o.type = static_cast<quint8>(text->toInt());
        } else if (argument == u"--centre") {
            const auto text = takeValue();
            if (!text)
                return fail(QStringLiteral("option --centre needs a whole number"));
            const auto centre = wholeNumber(*text);
            if (!centre)
                return fail(
                    QStringLiteral(
                        "--centre: '%1' is not a whole number from -2147483648 to 2147483647")
                        .arg(*text));
            o.centre = *centre;
        } else {
            return fail(QStringLiteral("unknown option '%1' (see --help)").arg(argument));
        }
    }
    return result;
}

QString HelpText()
{
    return QStringLiteral(
        "Usage: huevane-html [OPTION]... [FILE|-]\n"
        "Writes a text as HTML with every character in its own colour: one font tag\n"
        "per character, \"<br>\" and CR LF at the end of every line.\n"
        "\n"
        "Reads UTF-8 text from FILE, or from standard input when FILE is absent or '-'.\n"
        "CR LF, LF and a lone CR end a line. Writes UTF-8 with CR LF line ends to\n"
        "standard output; nothing for a text of nothing but spaces.\n"
        "\n"
        "Options:\n"
        "  --start R,G,B       start colour (default 255,70,30); also #RRGGBB\n"
        "  --end R,G,B         end colour (default 255,255,0); also #RRGGBB\n"
        "  --type 1|2|3        1 start to end (default), 2 end to start,\n"
        "                      3 start to end at the centre and back\n"
        "  --centre N          turning point of type 3, in characters (any 32-bit\n"
        "                      whole number; default: half the character count)\n"
        "  --per-line          restart the gradient on every line\n"
        "  --upper-case-tags   write FONT and COLOR in upper case\n"
        "  --no-quotes         write the colour attribute without quotes\n"
        "  -h, --help          show this help and exit\n"
        "  --version           show the version and exit\n"
        "\n"
        "Exit status: 0 on success, 1 when the input cannot be read or is not\n"
        "valid UTF-8, 2 on bad usage.\n");
}

} // namespace huevane::cli
