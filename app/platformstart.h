#pragma once

#include "app/options.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace huevane::app {

/// Where a window can be shown, as the options and the environment name it.
struct DisplayEnvironment
{
    QString platform;       ///< -platform, else QT_QPA_PLATFORM: names separated by ';'
    QString x11Display;     ///< -display, else DISPLAY
    QString waylandDisplay; ///< WAYLAND_DISPLAY
};

/// @p options completed from the process's environment.
DisplayEnvironment ReadDisplayEnvironment(const StartOptions &options);

/// The Qt platforms to try, in turn: those asked for, then the ones the session
/// offers that are not among them, xcb where an X display is named and wayland
/// where a Wayland one is. Empty when nothing is asked for and the session offers
/// neither.
QStringList PlatformCandidates(const DisplayEnvironment &environment);

/// What kept each of @p candidates, tried in turn, from showing a window, from the
/// @p messages Qt wrote meanwhile: "X display ':7' cannot be opened", "no Wayland
/// compositor at 'wayland-0'", "no Qt platform plugin 'vnx' is installed".
QStringList PlatformFailures(const QStringList &candidates, const QStringList &messages,
                             const DisplayEnvironment &environment);

/// Starts the window's platform: the arguments QApplication is made with, which
/// name the candidates and the display, and the messages Qt writes while it
/// starts. Where no candidate can show a window, Qt stops the program; instead it
/// ends here with one line on standard error naming what is missing, and status 1.
/// Where a later candidate starts because the one asked for could not, one line
/// says so.
class PlatformStart
{
public:
    /// Listens to Qt's messages until started(); @p program is argv[0].
    PlatformStart(const DisplayEnvironment &environment, const char *program);
    ~PlatformStart();
    PlatformStart(const PlatformStart &) = delete;
    PlatformStart &operator=(const PlatformStart &) = delete;

    /// False when there is nothing to try: no platform asked for, no display named.
    bool possible() const { return !m_candidates.isEmpty(); }

    /// The arguments for QApplication; they live as long as this object.
    int &argc() { return m_argc; }
    char **argv() { return m_argv.data(); }

    /// To be called once QApplication is made, with the platform it started.
    void started(const QString &platform);

private:
    static void listen(QtMsgType type, const QMessageLogContext &context, const QString &message);
    [[noreturn]] void fail(const QString &fatal) const;
    void stopListening();

    DisplayEnvironment m_environment;
    QStringList m_candidates;
    std::vector<QByteArray> m_arguments;
    std::vector<char *> m_argv;
    int m_argc = 0;
    QStringList m_messages;
    QtMessageHandler m_previous = nullptr;
    bool m_listening = false;
};

} // namespace huevane::app
