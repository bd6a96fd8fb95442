#pragma once

#include <QFont>
#include <QVariant>
#include <QVariantMap>

namespace huevane {

/// Where a control's properties are kept between sessions of its host: values
/// read and written by key, each with a default, and the host's ambient font.
class PropertyStore
{
public:
    virtual ~PropertyStore();

    /// The value stored under @p key, or @p defaultValue when there is none.
    virtual QVariant readProperty(const QString &key, const QVariant &defaultValue) const = 0;

    /// Stores @p value under @p key, or leaves the key out when @p value equals
    /// @p defaultValue.
    virtual void writeProperty(const QString &key, const QVariant &value,
                               const QVariant &defaultValue) = 0;

    /// The host's font, which controls take when no font of their own is stored.
    virtual QFont ambientFont() const = 0;
};

/// A property store over a QVariantMap, for hosts that build their controls from
/// a fixed table of values and for tests.
class VariantMapPropertyStore : public PropertyStore
{
public:
    VariantMapPropertyStore();
    /// A store holding @p values, with the application's default font as ambient font.
    explicit VariantMapPropertyStore(const QVariantMap &values);
    ~VariantMapPropertyStore() override;

    QVariant readProperty(const QString &key, const QVariant &defaultValue) const override;
    void writeProperty(const QString &key, const QVariant &value,
                       const QVariant &defaultValue) override;
    QFont ambientFont() const override;

    /// Everything stored, by key.
    QVariantMap values() const;
    void setValues(const QVariantMap &values);

    /// Default: QFont(), the application's default font.
    void setAmbientFont(const QFont &font);

private:
    QVariantMap m_values;
    QFont m_ambientFont;
};

} // namespace huevane
