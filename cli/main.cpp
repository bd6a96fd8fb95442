// huevane-html: writes a text in gradient colours: HTML as Huevane's 'Generate'
// writes it, or span tags, BBCode or terminal colours.

#include "convert.h"

#include <QCoreApplication>

#include <cstdio>

using namespace huevane;

namespace {

int usageError(const QString &message)
{
    std::fprintf(stderr, "huevane-html: %s\n", qUtf8Printable(message));
    return cli::UsageError;
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
    if (options.listPresets) {
        std::fputs(qUtf8Printable(cli::PresetList()), stdout);
        return 0;
    }
    if (options.listFits) {
        std::fputs(qUtf8Printable(cli::FitList()), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("huevane-html %s\n", HUEVANE_VERSION);
        return 0;
    }

    return cli::Convert(options, cli::ReadInput(options.input), stdout, stderr);
}
