#include "platform/propertystore.h"

namespace huevane {

PropertyStore::~PropertyStore() = default;

VariantMapPropertyStore::VariantMapPropertyStore() = default;

VariantMapPropertyStore::VariantMapPropertyStore(const QVariantMap &values)
    : m_values(values)
{ }

VariantMapPropertyStore::~VariantMapPropertyStore() = default;

QVariant VariantMapPropertyStore::readProperty(const QString &key,
                                               const QVariant &defaultValue) const
{
    return m_values.value(key, defaultValue);
}

void VariantMapPropertyStore::writeProperty(const QString &key, const QVariant &value,
                                            const QVariant &defaultValue)
{
    if (value == defaultValue)
        m_values.remove(key);
    else
        m_values.insert(key, value);
}

QFont VariantMapPropertyStore::ambientFont() const
{
    return m_ambientFont;
}

QVariantMap VariantMapPropertyStore::values() const
{
    return m_values;
}

void VariantMapPropertyStore::setValues(const QVariantMap &values)
{
    m_values = values;
}

void VariantMapPropertyStore::setAmbientFont(const QFont &font)
{
    m_ambientFont = font;
}

} // namespace huevane
