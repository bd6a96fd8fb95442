#pragma once

#include <QString>
#include <QStringList>

namespace huevane::app {

/// What huevane was asked to do on its command line.
struct StartOptions
{
    bool help = false;
    bool version = false;
    QString platform; ///< -platform: Qt platform names separated by ';'; empty if not given
    QString display;  ///< -display: the X display; empty if not given
};

/// The outcome of reading the command line: the options, or one line naming the problem.
struct ParsedStartOptions
{
    StartOptions options;
    QString error; ///< empty when the command line was good
};

/// Reads @p arguments (without the program name): -h or --help, --version,
/// -platform NAME and -display NAME (each also with two dashes, or with '=' before
/// the name). Any other option and any other argument is bad usage.
ParsedStartOptions ParseStartOptions(const QStringList &arguments);

/// The text of --help: what the program is, its options and exit statuses.
QString StartHelpText();

} // namespace huevane::app
