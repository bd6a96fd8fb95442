#include "options.h"

namespace huevane::app {

namespace {

// The options that take a value: their name without dashes, the field they fill
// and what the value is, for the message when it is missing.
struct ValueOption
{
    QLatin1StringView name;
    QString StartOptions::*field;
    QLatin1StringView value;
};

const ValueOption ValueOptions[] {
    {QLatin1StringView("platform"), &StartOptions::platform, QLatin1StringView("a platform name")},
    {QLatin1StringView("display"), &StartOptions::display, QLatin1StringView("an X display")},
};

} // namespace

ParsedStartOptions ParseStartOptions(const QStringList &arguments)
{
    ParsedStartOptions result;
    StartOptions &o = result.options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == u"-h" || argument == u"--help") {
            o.help = true;
            continue;
        }
        if (argument == u"--version") {
            o.version = true;
            continue;
        }
        if (!argument.startsWith(u'-') || argument.size() < 2) {
            result.error = QStringLiteral("unexpected argument '%1': huevane opens no files "
                                          "(see --help)")
                               .arg(argument);
            return result;
        }
        const QString typed = argument.section(u'=', 0, 0);
        const QStringView name = QStringView(typed).sliced(typed.startsWith(u"--") ? 2 : 1);
        const ValueOption *option = nullptr;
        for (const ValueOption &known : ValueOptions)
            option = name == known.name ? &known : option;
        if (!option) {
            result.error = QStringLiteral("unknown option '%1' (see --help)").arg(typed);
            return result;
        }
        QString value = typed != argument ? argument.sliced(typed.size() + 1)
            : i + 1 < arguments.size()    ? arguments[++i]
                                          : QString();
        if (value.isEmpty()) {
            result.error = QStringLiteral("option %1 needs %2").arg(typed, option->value);
            return result;
        }
        o.*(option->field) = value;
    }
    return result;
}

QString StartHelpText()
{
    return QStringLiteral(
        "Usage: huevane [OPTION]...\n"
        "Huevane designs colour gradients over a text and writes the HTML for them:\n"
        "type or paste a text, choose a start, an end and a background colour and one\n"
        "of three gradient types, watch every character take its colour in the live\n"
        "preview, and copy the HTML, one font tag per character. huevane-html does\n"
        "the same from the command line.\n"
        "\n"
        "The window opens on the desktop's display, X11 (DISPLAY) or Wayland\n"
        "(WAYLAND_DISPLAY). When the platform asked for cannot show it, the others\n"
        "the session offers are tried.\n"
        "\n"
        "Options:\n"
        "  -h, --help          show this help and exit\n"
        "  --version           show the version and exit\n"
        "  -platform NAME      the Qt platform to show the window on, such as xcb or\n"
        "                      wayland; several separated by ';' are tried in turn\n"
        "                      (default: QT_QPA_PLATFORM, else what the session offers)\n"
        "  -display NAME       the X display to show the window on (default: DISPLAY)\n"
        "\n"
        "Exit status: 0 when the window is closed, 1 when no window can be shown,\n"
        "2 on bad usage.\n");
}

} // namespace huevane::app
