// huevane-html: writes a text as gradient-coloured HTML, as Huevane's 'Generate' does.

#include "htmlstream.h"
#include "input.h"
#include "options.h"

#include "engine/charcolours.h"

#include <QCoreApplication>

#include <cstdio>

using namespace huevane;

namespace {

int usageError(const QString &message)
{
    std::fprintf(stderr, "huevane-html: %s\n", qUtf8Printable(message));
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("huevane-html"));
    QCoreApplication::setApplicationVersion(QStringLiteral(HUEVANE_VERSION));

    const cli::ParsedOptions parsed = cli::ParseArguments(QCoreApplication::arguments().mid(1));
    if (!parsed.error.isEmpty())
        return usageError(parsed.error);
    const cli::Options &options = parsed.options;
    if (options.help) {
        std::fputs(qUtf8Printable(cli::HelpText()), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("huevane-html %s\n", HUEVANE_VERSION);
        return 0;
    }

    const cli::InputText input = cli::ReadInput(options.input);
    if (!input.error.isEmpty()) {
        std::fprintf(stderr, "huevane-html: %s\n", qUtf8Printable(input.error));
        return 1;
    }

    GradientSettings settings;
    SetText(settings, input.text);
    settings.startColour = options.start;
    settings.endColour = options.end;
    settings.gradientType = options.type;
    if (options.centre)
        settings.centre = *options.centre;
    settings.perLine = options.perLine;
    settings.upperCaseTags = options.upperCaseTags;
    settings.noQuotes = options.noQuotes;

    if (!cli::WriteHtml(settings, stdout)) {
        std::fprintf(stderr, "huevane-html: cannot write to standard output\n");
        return 1;
    }
    return 0;
}
