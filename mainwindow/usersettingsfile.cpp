#include "usersettingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <utility>

namespace huevane {

UserSettingsFile::UserSettingsFile(QString path, QString contents, QString writing)
    : m_path(std::move(path))
    , m_contents(std::move(contents))
    , m_writing(std::move(writing))
{ }

QString UserSettingsFile::PathFor(const QString &name)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/huevane/") + name;
}

QString UserSettingsFile::path() const
{
    return m_path;
}

bool UserSettingsFile::read(const std::function<bool(QSettings &)> &reader)
{
    const QFileInfo file(m_path);
    if (!file.exists())
        return false;
    const auto unread = [this](const char *why) {
        m_damaged = true;
        m_problem = QStringLiteral("The %1 in %2 %3; none are shown.")
                        .arg(m_contents, m_path, QLatin1StringView(why));
        return false;
    };
    // QSettings reads a file it may not open as an empty one.
    if (QFile readable(m_path); file.isDir() || !readable.open(QIODevice::ReadOnly))
        return unread("cannot be read");
    QSettings settings(m_path, QSettings::IniFormat);
    if (!reader(settings) || settings.status() != QSettings::NoError)
        return unread("are damaged");
    return true;
}

bool UserSettingsFile::write(const std::function<void(QSettings &)> &writer)
{
    if (m_damaged) {
        // The damaged file may still hold what its owner wants back.
        const QString aside = m_path + QStringLiteral(".damaged");
        QFile::remove(aside);
        if (!QFile::rename(m_path, aside)) {
            m_problem = QStringLiteral("%1: %2 cannot be replaced.").arg(m_writing, m_path);
            return false;
        }
        m_damaged = false;
        m_problem = QStringLiteral("The damaged file of %1 was kept as %2.").arg(m_contents, aside);
    }
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSettings settings(m_path, QSettings::IniFormat);
    settings.clear();
    writer(settings);
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;
    m_problem = QStringLiteral("%1 in %2.").arg(m_writing, m_path);
    return false;
}

void UserSettingsFile::setProblem(const QString &problem)
{
    m_problem = problem;
}

QString UserSettingsFile::takeProblem()
{
    return std::exchange(m_problem, QString());
}

} // namespace huevane
