#pragma once

#include "engine/formatwriter.h"
#include "mainwindow/usersettingsfile.h"

#include <QList>
#include <QString>

namespace huevane {

/// A template of the user's own as typed into the 'Template…' dialog.
struct TypedTemplate
{
    QString run; ///< each character or run: OwnTemplate::run
    /// After every line, with \n, \r, \t and \\ standing for LF, CR, a tab and a
    /// backslash (WithEscapesRead()); LF by default.
    QString lineEnd = QStringLiteral("\\n");
    TemplateEscape escape = TemplateEscape::None; ///< how {c} is escaped; not at all by default

    /// The template as the writer takes it, its line end's escapes read.
    OwnTemplate written() const;

    friend bool operator==(const TypedTemplate &, const TypedTemplate &) = default;
};

/// The templates the user last copied with, most recent first, kept in an INI
/// file (QSettings) under the user's configuration folder,
/// $XDG_CONFIG_HOME/huevane/templates.conf, written anew on every change. A file
/// that cannot be read, or is damaged, and a template in it that is damaged
/// (no template, a bad one, an unknown escape) are left out and told once
/// (takeProblem()), as UserSettingsFile tells them.
class RecentTemplates
{
public:
    /// The most templates kept.
    static constexpr int Most = 5;

    /// The templates kept in the file at @p path; by default DefaultPath().
    explicit RecentTemplates(const QString &path = DefaultPath());

    /// $XDG_CONFIG_HOME/huevane/templates.conf, as the environment says now.
    static QString DefaultPath();

    /// The templates, most recent first, at most Most of them.
    const QList<TypedTemplate> &templates() const;

    /// Puts @p typed first (the same one further down goes, and the one beyond
    /// Most) and writes the file. False, with a problem to tell, when the file
    /// cannot be written; the list holds @p typed all the same.
    bool remember(const TypedTemplate &typed);

    /// What went wrong with the file since it was last asked, in a sentence,
    /// once; empty when nothing did.
    QString takeProblem();

private:
    UserSettingsFile m_file;
    QList<TypedTemplate> m_templates;
};

} // namespace huevane
