#include "recenttemplates.h"

#include "engine/templatetext.h"

#include <QSettings>

namespace huevane {

OwnTemplate TypedTemplate::written() const
{
    OwnTemplate own;
    own.run = run;
    own.lineEnd = WithEscapesRead(lineEnd);
    own.escape = escape;
    return own;
}

RecentTemplates::RecentTemplates(const QString &path)
    : m_file(path, QStringLiteral("recent templates"),
             QStringLiteral("The template cannot be remembered"))
{
    QList<TypedTemplate> templates;
    QStringList left;
    const bool read = m_file.read([&](QSettings &settings) {
        const int count = std::min(settings.beginReadArray(QStringLiteral("templates")), Most);
        for (int i = 0; i < count; ++i) {
            settings.setArrayIndex(i);
            TypedTemplate typed;
            typed.run = settings.value("template").toString();
            typed.lineEnd = settings.value("lineEnd", typed.lineEnd).toString();
            const auto escape =
                FindTemplateEscape(settings.value("escape", QStringLiteral("none")).toString());
            if (typed.run.isEmpty() || !escape || !OwnTemplateProblemText(typed.run).isEmpty()) {
                left.append(QString::number(i + 1));
                continue;
            }
            typed.escape = *escape;
            templates.append(typed);
        }
        return true;
    });
    if (!read)
        return;
    m_templates = templates;
    if (!left.isEmpty())
        m_file.setProblem(QStringLiteral("Recent templates in %1 are damaged and left out: "
                                         "number %2.")
                              .arg(path, left.join(QStringLiteral(", "))));
}

QString RecentTemplates::DefaultPath()
{
    return UserSettingsFile::PathFor(QStringLiteral("templates.conf"));
}

const QList<TypedTemplate> &RecentTemplates::templates() const
{
    return m_templates;
}

bool RecentTemplates::remember(const TypedTemplate &typed)
{
    m_templates.removeAll(typed);
    m_templates.prepend(typed);
    if (m_templates.size() > Most)
        m_templates.resize(Most);
    return m_file.write([this](QSettings &settings) {
        settings.beginWriteArray(QStringLiteral("templates"), int(m_templates.size()));
        for (int i = 0; i < m_templates.size(); ++i) {
            const TypedTemplate &t = m_templates[i];
            settings.setArrayIndex(i);
            settings.setValue("template", t.run);
            settings.setValue("lineEnd", t.lineEnd);
            settings.setValue("escape", ToQString(TemplateEscapeNames[int(t.escape)]));
        }
        settings.endArray();
    });
}

QString RecentTemplates::takeProblem()
{
    return m_file.takeProblem();
}

} // namespace huevane
