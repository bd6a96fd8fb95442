#pragma once

#include "engine/stops.h"
#include "mainwindow/usersettingsfile.h"

#include <QObject>
#include <QString>

namespace huevane {

/// A gradient with a name: a built-in preset or one the user saved.
struct NamedGradient
{
    QString name;
    StopGradient gradient;
    bool saved = false; ///< the user's, which can be deleted

    friend bool operator==(const NamedGradient &, const NamedGradient &) = default;
};

/// The gradients the user saved as presets, kept in an INI file (QSettings)
/// under the user's configuration folder, $XDG_CONFIG_HOME/huevane/presets.conf
/// (~/.config when XDG_CONFIG_HOME is not set), written anew on every change.
///
/// A file that cannot be read, or is damaged, is left as it is and read as
/// holding none; a preset in it that is damaged is left out. Either is a
/// problem told once (takeProblem()). Before the first preset is saved over a
/// damaged file, the file is kept aside as presets.conf.damaged.
class SavedPresets : public QObject
{
    Q_OBJECT

public:
    /// The presets saved in the file at @p path; by default DefaultPath().
    explicit SavedPresets(const QString &path = DefaultPath(), QObject *parent = nullptr);
    ~SavedPresets() override;

    /// $XDG_CONFIG_HOME/huevane/presets.conf, as the environment says now.
    static QString DefaultPath();

    /// The file the presets are kept in.
    QString path() const;

    /// The saved presets, in the order they were first saved.
    const QList<NamedGradient> &presets() const;

    /// Saves @p gradient as @p name (blanks around it dropped), in place of
    /// one of that name, and writes the file. False, with a problem to tell,
    /// when the name is empty or the file cannot be written.
    bool save(const QString &name, const StopGradient &gradient);

    /// Deletes the preset called @p name, if any, and writes the file.
    void remove(const QString &name);

    /// What went wrong with the file since it was last asked, in a sentence,
    /// once; empty when nothing did.
    QString takeProblem();

Q_SIGNALS:
    /// The list changed, or there is a problem to tell.
    void changed();

private:
    void read();
    bool write();

    UserSettingsFile m_file;
    QList<NamedGradient> m_presets;
};

/// The built-in presets, in their order, then @p saved's.
QList<NamedGradient> AllPresets(const SavedPresets &saved);

} // namespace huevane
