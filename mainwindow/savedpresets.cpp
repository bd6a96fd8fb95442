#include "savedpresets.h"

#include "engine/presets.h"
#include "engine/stopslist.h"

#include <QSettings>

namespace huevane {

namespace {

constexpr int MostSavedPresets = 1000;

std::optional<ColourSpace> SpaceNamed(const QString &name)
{
    for (ColourSpace space : ColourSpaces) {
        if (name == ColourSpaceName(space))
            return space;
    }
    return std::nullopt;
}

// A list of stops written by hand, without quotes, reads as a list of strings.
QString stops(const QVariant &value)
{
    return value.typeId() == QMetaType::QStringList ? value.toStringList().join(u',')
                                                    : value.toString();
}

} // namespace

SavedPresets::SavedPresets(const QString &path, QObject *parent)
    : QObject(parent)
    , m_file(path, QStringLiteral("saved presets"), QStringLiteral("The presets cannot be saved"))
{
    read();
}

SavedPresets::~SavedPresets() = default;

QString SavedPresets::DefaultPath()
{
    return UserSettingsFile::PathFor(QStringLiteral("presets.conf"));
}

QString SavedPresets::path() const
{
    return m_file.path();
}

const QList<NamedGradient> &SavedPresets::presets() const
{
    return m_presets;
}

void SavedPresets::read()
{
    QList<NamedGradient> presets;
    QStringList left;
    const bool read = m_file.read([&](QSettings &settings) {
        const int count = settings.beginReadArray(QStringLiteral("presets"));
        // A count no one saved would have the reading go on for ever.
        if (settings.status() != QSettings::NoError || count > MostSavedPresets)
            return false;
        for (int i = 0; i < count; ++i) {
            settings.setArrayIndex(i);
            NamedGradient preset {settings.value("name").toString().trimmed(), {}, true};
            const std::optional<ColourSpace> space = SpaceNamed(settings.value("space").toString());
            const QString hue = settings.value("hue").toString();
            if (preset.name.isEmpty() || !space || (hue != u"shorter" && hue != u"longer")
                || !ParseStops(stops(settings.value("stops")), preset.gradient.stops).isEmpty()) {
                left.append(preset.name.isEmpty() ? QStringLiteral("number %1").arg(i + 1)
                                                  : QLatin1Char('\'') + preset.name + u'\'');
                continue;
            }
            preset.gradient.space = *space;
            preset.gradient.hue = hue == u"longer" ? HueRule::Longer : HueRule::Shorter;
            presets.removeIf([&](const NamedGradient &p) { return p.name == preset.name; });
            presets.append(preset);
        }
        return true;
    });
    if (!read)
        return;
    m_presets = presets;
    if (!left.isEmpty())
        m_file.setProblem(QStringLiteral("Saved presets in %1 are damaged and left out: %2.")
                              .arg(path(), left.join(QStringLiteral(", "))));
}

bool SavedPresets::write()
{
    const bool written = m_file.write([this](QSettings &settings) {
        settings.beginWriteArray(QStringLiteral("presets"), int(m_presets.size()));
        for (int i = 0; i < m_presets.size(); ++i) {
            const NamedGradient &preset = m_presets[i];
            settings.setArrayIndex(i);
            settings.setValue("name", preset.name);
            settings.setValue("stops", StopsText(preset.gradient.stops));
            settings.setValue("space", QString(ColourSpaceName(preset.gradient.space)));
            settings.setValue("hue", QString(HueRuleName(preset.gradient.hue)));
        }
        settings.endArray();
    });
    Q_EMIT changed();
    return written;
}

bool SavedPresets::save(const QString &name, const StopGradient &gradient)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty()) {
        m_file.setProblem(QStringLiteral("A preset needs a name."));
        Q_EMIT changed();
        return false;
    }
    const auto same = [&](const NamedGradient &p) { return p.name == trimmed; };
    const auto found = std::find_if(m_presets.begin(), m_presets.end(), same);
    if (found == m_presets.end() && m_presets.size() >= MostSavedPresets) {
        m_file.setProblem(
            QStringLiteral("There are %1 saved presets, the most kept: delete one first.")
                .arg(MostSavedPresets));
        Q_EMIT changed();
        return false;
    }
    const NamedGradient preset {trimmed, gradient, true};
    if (found != m_presets.end())
        *found = preset;
    else
        m_presets.append(preset);
    return write();
}

void SavedPresets::remove(const QString &name)
{
    if (m_presets.removeIf([&](const NamedGradient &p) { return p.name == name; }) > 0)
        write();
}

QString SavedPresets::takeProblem()
{
    return m_file.takeProblem();
}

QList<NamedGradient> AllPresets(const SavedPresets &saved)
{
    QList<NamedGradient> all;
    for (const Preset &preset : Presets())
        all.append({QString::fromLatin1(preset.name), PresetStops(preset), false});
    return all + saved.presets();
}

} // namespace huevane
