#pragma once

#include <QString>

#include <functional>

class QSettings;

namespace huevane {

/// A file of the user's own in the INI format (QSettings), such as the saved
/// presets, read once and written anew on every change.
///
/// A file that cannot be read, or is damaged, is left as it is and read as
/// holding nothing; before it is first written over, it is kept aside as the
/// same path with ".damaged" added. What goes wrong is a problem in a sentence,
/// told once (takeProblem()).
class UserSettingsFile
{
public:
    /// The file at @p path, which holds @p contents ("saved presets", for the
    /// problems told); writing it is @p writing ("The presets cannot be saved",
    /// to which the problem is added).
    UserSettingsFile(QString path, QString contents, QString writing);

    /// The file called @p name in $XDG_CONFIG_HOME/huevane (~/.config when
    /// XDG_CONFIG_HOME is not set), as the environment says now.
    static QString PathFor(const QString &name);

    /// The file's path.
    QString path() const;

    /// Reads the file with @p reader, which returns false when what it reads
    /// is damaged. False when there is no file, or it cannot be read or is
    /// damaged (a problem to tell); whatever @p reader read is then to be
    /// thrown away.
    bool read(const std::function<bool(QSettings &)> &reader);

    /// Writes the file anew with @p writer, a damaged one kept aside first.
    /// False, with a problem to tell, when it cannot be written.
    bool write(const std::function<void(QSettings &)> &writer);

    /// Sets the problem to tell.
    void setProblem(const QString &problem);

    /// What went wrong since it was last asked, in a sentence, once; empty when
    /// nothing did.
    QString takeProblem();

private:
    QString m_path;
    QString m_contents;
    QString m_writing;
    QString m_problem;
    bool m_damaged = false; // the file could not be read as it is
};

} // namespace huevane
