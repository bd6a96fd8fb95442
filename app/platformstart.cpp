#include "platformstart.h"

#include <cstdio>
#include <cstdlib>

namespace huevane::app {

namespace {

// The line Qt ends each platform it could not start with.
constexpr QLatin1StringView PluginLine("Qt platform plugin \"");

// The one PlatformStart listening to Qt's messages.
PlatformStart *listening = nullptr;

bool Asked(const QStringList &names, QLatin1StringView platform)
{
    for (const QString &name : names) {
        if (name.section(u':', 0, 0).compare(platform, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString Reason(const QString &candidate, const QString &messages,
               const DisplayEnvironment &environment)
{
    const QString name = candidate.section(u':', 0, 0).toLower();
    if (messages.contains(QLatin1StringView("Could not find the ") + PluginLine))
        return QStringLiteral("no Qt platform plugin '%1' is installed").arg(name);
    if (name == u"xcb" && messages.contains(u"could not connect to display")) {
        return environment.x11Display.isEmpty()
            ? QStringLiteral("no X display (DISPLAY is not set)")
            : QStringLiteral("X display '%1' cannot be opened").arg(environment.x11Display);
    }
    if (name.startsWith(u"wayland") && messages.contains(u"wl_display")) {
        const QString socket = environment.waylandDisplay.isEmpty() ? QStringLiteral("wayland-0")
                                                                    : environment.waylandDisplay;
        return QStringLiteral("no Wayland compositor at '%1'").arg(socket);
    }
    return QStringLiteral("the Qt platform '%1' could not start").arg(name);
}

} // namespace

DisplayEnvironment ReadDisplayEnvironment(const StartOptions &options)
{
    DisplayEnvironment environment;
    environment.platform =
        options.platform.isEmpty() ? qEnvironmentVariable("QT_QPA_PLATFORM") : options.platform;
    environment.x11Display =
        options.display.isEmpty() ? qEnvironmentVariable("DISPLAY") : options.display;
    environment.waylandDisplay = qEnvironmentVariable("WAYLAND_DISPLAY");
    return environment;
}

QStringList PlatformCandidates(const DisplayEnvironment &environment)
{
    QStringList names;
    for (const QString &name : environment.platform.split(u';', Qt::SkipEmptyParts)) {
        if (!name.trimmed().isEmpty())
            names << name.trimmed();
    }
    if (!environment.x11Display.isEmpty() && !Asked(names, QLatin1StringView("xcb")))
        names << QStringLiteral("xcb");
    if (!environment.waylandDisplay.isEmpty() && !Asked(names, QLatin1StringView("wayland")))
        names << QStringLiteral("wayland");
    return names;
}

QStringList PlatformFailures(const QStringList &candidates, const QStringList &messages,
                             const DisplayEnvironment &environment)
{
    // Qt tries the candidates in turn and ends each one it cannot start with a line
    // naming its plugin: the messages up to that line are that candidate's.
    QStringList reasons;
    QString attempt;
    for (const QString &message : messages) {
        attempt += message + u'\n';
        if (message.contains(PluginLine) && reasons.size() < candidates.size()) {
            reasons << Reason(candidates[reasons.size()], attempt, environment);
            attempt.clear();
        }
    }
    return reasons;
}

PlatformStart::PlatformStart(const DisplayEnvironment &environment, const char *program)
    : m_environment(environment)
    , m_candidates(PlatformCandidates(environment))
{
    m_arguments = {program, "-platform", m_candidates.join(u';').toLocal8Bit()};
    if (!environment.x11Display.isEmpty())
        m_arguments.insert(m_arguments.end(), {"-display", environment.x11Display.toLocal8Bit()});
    for (QByteArray &argument : m_arguments)
        m_argv.push_back(argument.data());
    m_argv.push_back(nullptr);
    m_argc = int(m_arguments.size());
    listening = this;
    m_previous = qInstallMessageHandler(listen);
    m_listening = true;
}

PlatformStart::~PlatformStart()
{
    stopListening();
}

void PlatformStart::listen(QtMsgType type, const QMessageLogContext &context,
                           const QString &message)
{
    const bool named = context.category && qstrcmp(context.category, "default") != 0;
    const QString line = named
        ? QStringLiteral("%1: %2").arg(QLatin1StringView(context.category), message)
        : message;
    if (type == QtFatalMsg)
        listening->fail(message);
    listening->m_messages << line;
}

void PlatformStart::fail(const QString &fatal) const
{
    const QStringList reasons = PlatformFailures(m_candidates, m_messages, m_environment);
    // Qt stops on the first platform that fails in its own way (eglfs without a
    // screen) too: its message says what is missing.
    const QString what =
        fatal.contains(u"no Qt platform plugin could be initialized") && !reasons.isEmpty()
        ? reasons.join(QStringLiteral("; "))
        : fatal.section(u'\n', 0, 0);
    std::fprintf(stderr, "huevane: cannot show the window: %s\n", qUtf8Printable(what));
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

void PlatformStart::stopListening()
{
    if (!m_listening)
        return;
    qInstallMessageHandler(m_previous);
    listening = nullptr;
    m_listening = false;
}

void PlatformStart::started(const QString &platform)
{
    stopListening();
    // What Qt said about the candidates it passed over is said here in one line, and
    // only when the one asked for was passed over; anything else it said, it says.
    qsizetype kept = 0;
    for (qsizetype i = 0; i < m_messages.size(); ++i) {
        if (m_messages[i].contains(PluginLine))
            kept = i + 1;
    }
    const QStringList reasons = PlatformFailures(m_candidates, m_messages, m_environment);
    if (!m_environment.platform.isEmpty() && !reasons.isEmpty()) {
        std::fprintf(stderr, "huevane: %s; the window is shown on '%s' instead\n",
                     qUtf8Printable(reasons.join(QStringLiteral("; "))), qUtf8Printable(platform));
    }
    for (qsizetype i = kept; i < m_messages.size(); ++i)
        std::fprintf(stderr, "%s\n", qUtf8Printable(m_messages[i]));
}

} // namespace huevane::app
